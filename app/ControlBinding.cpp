#include "app/ControlBinding.h"

#include "ui/Memo.h"
#include "ui/text/fcCustomLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

QString WithCrLf(QString text)
{
    return text.replace(QChar('\n'), QStringLiteral("\r\n"));
}

ControlBinding BindWidget(QWidget& widget)
{
    ControlBinding binding;
    binding.widget = &widget;
    return binding;
}

ControlBinding BindLineEdit(QLineEdit& edit)
{
    ControlBinding binding = BindWidget(edit);
    binding.text = [&edit] { return edit.text(); };
    binding.setText = [&edit](const QString& text) { edit.setText(text); };
    binding.caretToEnd = [&edit] { edit.end(false); };
    binding.selectAll = [&edit] { edit.selectAll(); };
    return binding;
}

ControlBinding BindMemo(TMemo& memo)
{
    ControlBinding binding = BindWidget(memo);
    binding.text = [&memo] { return WithCrLf(memo.toPlainText()); };
    binding.setText = [&memo](const QString& text) { memo.SetText(text); };
    binding.scrollToTop = [&memo] {
        memo.moveCursor(QTextCursor::Start);
        memo.verticalScrollBar()->setValue(0);
    };
    return binding;
}

ControlBinding BindComboBox(QComboBox& combo)
{
    ControlBinding binding = BindWidget(combo);
    binding.text = [&combo] { return combo.currentText(); };
    binding.setText = [&combo](const QString& text) { combo.setEditText(text); };
    return binding;
}

ControlBinding BindCheckBox(QCheckBox& box)
{
    ControlBinding binding = BindWidget(box);
    binding.checked = [&box] { return box.isChecked(); };
    binding.setChecked = [&box](bool checked) { box.setChecked(checked); };
    return binding;
}

ControlBinding BindLabel(QLabel& label)
{
    ControlBinding binding = BindWidget(label);
    binding.text = [&label] { return WithCrLf(label.text()); };
    binding.setText = [&label](const QString& text) { label.setText(text); };
    return binding;
}

ControlBinding BindAutoSizeLabel(QLabel& label)
{
    ControlBinding binding = BindLabel(label);
    binding.setText = [&label](const QString& text) {
        label.setText(text);
        label.adjustSize();
    };
    return binding;
}

ControlBinding BindEffectLabel(TfcCustomLabel& label, std::function<void()> written)
{
    ControlBinding binding = BindWidget(label);
    binding.text = [&label] { return label.Caption(); };
    binding.setText = [&label, written = std::move(written)](const QString& text) {
        label.SetCaption(text);
        written();
    };
    return binding;
}
