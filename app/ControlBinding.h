#pragma once
// How the view reads, writes and focuses one control, for each kind of widget that shows one.
// An operation a kind does not have is left empty; the view reports its use as a fault.

#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TfcCustomLabel;
class TMemo;

// Widgets break lines with LF; the page logic's texts use CR LF.
QString WithCrLf(QString text);

struct ControlBinding {
    QWidget* widget = nullptr;
    std::function<QString()> text; // line breaks as CR LF
    std::function<void(const QString&)> setText;
    std::function<bool()> checked;
    std::function<void(bool)> setChecked;
    std::function<void()> caretToEnd;
    std::function<void()> selectAll;
    std::function<void()> scrollToTop;
};

// A control that is only shown, hidden or focused.
ControlBinding BindWidget(QWidget& widget);
ControlBinding BindLineEdit(QLineEdit& edit);
ControlBinding BindMemo(TMemo& memo);
ControlBinding BindComboBox(QComboBox& combo);
ControlBinding BindCheckBox(QCheckBox& box);
// A label of fixed size shows what it is given.
ControlBinding BindLabel(QLabel& label);
// A label that fits its size to its text.
ControlBinding BindAutoSizeLabel(QLabel& label);
// A label drawn with effects; `written` runs after each change of its caption.
ControlBinding BindEffectLabel(TfcCustomLabel& label, std::function<void()> written);
