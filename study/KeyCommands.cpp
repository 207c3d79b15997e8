#include "study/KeyCommands.h"

#include "study/Dictation.h"
#include "study/Lookup.h"
#include "study/MainView.h"
#include "study/Maintenance.h"

namespace {

// " …" and " ～": a blank and the two-byte GBK character.
constexpr const char* kEllipsisMark = " \xA1\xAD";
constexpr const char* kTildeMark = " \xA1\xAB";

bool IsBackKey(int key)
{
    return key == VK_PRIOR || key == VK_LEFT || key == VK_UP;
}
bool IsForwardKey(int key)
{
    return key == VK_NEXT || key == VK_RIGHT || key == VK_DOWN;
}

} // namespace

void KeyCommands::PlainKeyDown(int key)
{
    if (key != VK_F2)
        return;
    if (c_.view.ActivePage() == PageQuery)
        lookup_.SpeakShownWord();
    else if (c_.view.ActivePage() == PageDictation)
        dictation_.SpeakAskedWord();
}

void KeyCommands::FormKeyDown(int key, bool ctrl)
{
    if (!ctrl) {
        PlainKeyDown(key);
        return;
    }
    switch (c_.view.ActivePage()) {
    case PageQuery:
        if (IsBackKey(key))
            lookup_.SpeedButton_lastClick();
        else if (IsForwardKey(key))
            lookup_.SpeedButton_nextClick();
        break;
    case PageMaintain:
        if (IsBackKey(key))
            maintenance_.PreviousWordIntoFields();
        else if (IsForwardKey(key))
            maintenance_.NextWordIntoFields();
        else if (key == VK_S)
            maintenance_.SpeedButton_SaveWordClick();
        else if (key == VK_OEM_PERIOD)
            maintenance_.AppendToInterpret(kEllipsisMark);
        else if (key == VK_OEM_3)
            maintenance_.AppendToInterpret(kTildeMark);
        break;
    case PageDictation:
        switch (key) {
        case VK_PRIOR:
            dictation_.PreviousGroup();
            break;
        case VK_NEXT:
            dictation_.NextGroup();
            break;
        case VK_LEFT:
        case VK_UP:
            dictation_.PreviousDictationWord();
            break;
        case VK_RIGHT:
        case VK_DOWN:
            dictation_.NextDictationWord();
            break;
        case VK_F1:
            dictation_.RevealAnswer();
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}
