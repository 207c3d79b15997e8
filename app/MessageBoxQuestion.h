#pragma once
// The page logic's question shapes as the message box's flags, and its answer codes as answers.
// The numbers are part of the program's behaviour: each shape shows exactly these buttons, icon
// and first focus.

#include "study/MainView.h"
#include "ui/skin/MessageBoxFlags.h"

constexpr int MessageBoxFlags(Question question)
{
    switch (question) {
    case Question::Notice:
        return kMbOk | kMbIconError;
    case Question::WarningNotice:
        return kMbOk | kMbIconWarning;
    case Question::InfoNotice:
        return kMbOk | kMbIconInformation;
    case Question::AskYesNo:
        return kMbYesNo | kMbIconQuestion | kMbDefaultButton1;
    case Question::AskOverwrite:
        return kMbOkCancel | kMbIconWarning | kMbDefaultButton1;
    case Question::AskYesNoCancel:
        return kMbYesNoCancel | kMbNoIcon | kMbDefaultButton3;
    }
    return kMbOk;
}

static_assert(MessageBoxFlags(Question::Notice) == 16);
static_assert(MessageBoxFlags(Question::WarningNotice) == 48);
static_assert(MessageBoxFlags(Question::InfoNotice) == 64);
static_assert(MessageBoxFlags(Question::AskYesNo) == 36);
static_assert(MessageBoxFlags(Question::AskOverwrite) == 49);
static_assert(MessageBoxFlags(Question::AskYesNoCancel) == 515);

// The standard sets these shapes use answer only these codes; anything else is a box closed
// without a button.
constexpr Answer AnswerOf(int code)
{
    switch (code) {
    case kIdOk:
        return Answer::Ok;
    case kIdYes:
        return Answer::Yes;
    case kIdNo:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}
