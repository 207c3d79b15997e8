#include "study/KeyCommands.h"

// Placeholder bodies until the page is built.
void KeyCommands::FormKeyDown(int, bool) {}
