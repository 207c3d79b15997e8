#include "study/Control.h"

const char* ControlName(Control control)
{
    switch (control) {
    case Control::fcTitleLabel1:
        return "fcTitleLabel1";
    case Control::Edit_Input:
        return "Edit_Input";
    case Control::Memo_View:
        return "Memo_View";
    case Control::ListBox_Preview:
        return "ListBox_Preview";
    case Control::Label_Interpret:
        return "Label_Interpret";
    case Control::Label_DictationCount:
        return "Label_DictationCount";
    case Control::Image_RecycledFlag:
        return "Image_RecycledFlag";
    case Control::Edit_Dictation:
        return "Edit_Dictation";
    case Control::Edit_newword:
        return "Edit_newword";
    case Control::Memo_newInterpret:
        return "Memo_newInterpret";
    case Control::CheckBox_DictationRecycled:
        return "CheckBox_DictationRecycled";
    case Control::ComboBox_GroupWordCount:
        return "ComboBox_GroupWordCount";
    case Control::Edit_FistWordInRecycle:
        return "Edit_FistWordInRecycle";
    case Control::Label_lastGroupWord:
        return "Label_lastGroupWord";
    case Control::CheckBox_DictationSpeak:
        return "CheckBox_DictationSpeak";
    }
    return "?";
}
