#include "ui/skin/ZYInfoDlg.h"

#include "ui/skin/ZYInfoDlgForm.h"

#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QWidget>

#include <utility>

TZYInfoDlg::Answerer TZYInfoDlg::FAnswerer;

TZYInfoDlg::TZYInfoDlg(QWidget* owner)
    : QObject(owner)
{
}

int TZYInfoDlg::MessageBox(const QString& Text, const QString& Caption, int Flags)
{
    // The owner may go while the modal loop runs; the guard never deletes the dialog twice.
    QPointer<TZYInfoDlgForm> form = new TZYInfoDlgForm(qobject_cast<QWidget*>(parent()));
    const auto destroy = qScopeGuard([&form] { delete form.data(); });

    if (FPendingCaptions) {
        for (int number = 1; number <= 4; ++number)
            form->Button(number)->setText(FCaptions[static_cast<std::size_t>(4 - number)]);
        Flags |= 15;
        FPendingCaptions = false;
    }
    form->InitMessageBox(Text, Caption, Flags);

    if (FAnswerer)
        return FAnswerer(*form);
    form->exec();
    return form ? form->Result() : 2;
}

void TZYInfoDlg::SetButtonCaptions(const QString& C1, const QString& C2, const QString& C3, const QString& C4)
{
    FCaptions = {C1, C2, C3, C4};
    FPendingCaptions = true;
}

void TZYInfoDlg::SetAnswerer(Answerer answerer)
{
    FAnswerer = std::move(answerer);
}
