#pragma once
// The message box's flags word and the codes it answers with, as the window asks and the dialog
// decodes them. The values are those of the system message box:
// bits 0-3 choose the button set, bits 4-7 the icon and bits 8-11 the button that has the focus
// first. Buttons are numbered from the right: button 1 is the rightmost.

// Button sets, bits 0-3. Sets 6 to 15 show custom captions.
constexpr int kMbButtonSetMask = 0x000F;
constexpr int kMbOk = 0;
constexpr int kMbOkCancel = 1;
constexpr int kMbAbortRetryIgnore = 2;
constexpr int kMbYesNoCancel = 3;
constexpr int kMbYesNo = 4;
constexpr int kMbRetryCancel = 5;
constexpr int kMbFirstCustomSet = 6;
constexpr int kMbCustomButtons = 15; // what pending custom captions force

// Icons, bits 4-7: the icon number, 1 to 4 with a picture, 0 for none.
constexpr int kMbIconMask = 0x00F0;
constexpr int kMbIconShift = 4;
constexpr int kMbNoIcon = 0x00;
constexpr int kMbIconError = 0x10;
constexpr int kMbIconQuestion = 0x20;
constexpr int kMbIconWarning = 0x30;
constexpr int kMbIconInformation = 0x40;

// The button that has the focus first, bits 8-11: the button's number less one.
constexpr int kMbDefaultButtonMask = 0x0F00;
constexpr int kMbDefaultButtonShift = 8;
constexpr int kMbDefaultButton1 = 0x000;
constexpr int kMbDefaultButton2 = 0x100;
constexpr int kMbDefaultButton3 = 0x200;
constexpr int kMbDefaultButton4 = 0x300;

// What a button of a standard set answers. A custom set answers with the button's number less one.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2; // also the answer of a box closed without a button
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
