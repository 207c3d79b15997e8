#include "ui/skin/ZYInfoDlg.h"

#include "ui/skin/MessageBoxFlags.h"
#include "ui/skin/ZYInfoDlgForm.h"

#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QWidget>

#include <utility>

TZYInfoDlg::Answerer TZYInfoDlg::answerer_;

TZYInfoDlg::TZYInfoDlg(QWidget* owner) : QObject(owner) {}

int TZYInfoDlg::MessageBox(const QString& text, const QString& caption, int flags)
{
    // The owner may go while the modal loop runs; the guard never deletes the dialog twice.
    QPointer<TZYInfoDlgForm> form = new TZYInfoDlgForm(qobject_cast<QWidget*>(parent()));
    const auto destroy = qScopeGuard([&form] { delete form.data(); });

    if (FPendingCaptions) {
        for (int number = 1; number <= 4; ++number)
            form->Button(number)->setText(captions_[static_cast<std::size_t>(4 - number)]);
        flags |= kMbCustomButtons;
        FPendingCaptions = false;
    }
    form->InitMessageBox(text, caption, flags);

    if (answerer_)
        return answerer_(*form);
    form->exec();
    return form ? form->Result() : kIdCancel;
}

void TZYInfoDlg::SetButtonCaptions(const QString& c1, const QString& c2, const QString& c3, const QString& c4)
{
    captions_ = {c1, c2, c3, c4};
    FPendingCaptions = true;
}

void TZYInfoDlg::SetAnswerer(Answerer answerer)
{
    answerer_ = std::move(answerer);
}
