#pragma once
// The key codes the handlers compare with, for Qt's key events.

class QKeyEvent;

// The code of the key (13 Enter, 33/34 page keys, 37-40 arrows, 83 S, 112 F1, 113 F2, 190 full stop,
// 192 grave accent), or 0 for a key no handler looks at.
int VirtualKeyOf(const QKeyEvent& event);
