// The label publishes its settings as Qt properties; this file gives the build its header to moc.
#include "ui/text/fcLabel.h"
