// Anchors the interface's vtable and its signals in one object file.
#include "ui/skin/NotifyArea.h"

TNotifyArea::~TNotifyArea() = default;
