#include "app/Application.h"

#include "ui/QtGbk.h"

#include <QMessageBox>

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    reportError = [](const QString& text) { QMessageBox::critical(nullptr, QString(), text); };
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportError(FromGbk(error.what())); // error texts are GBK, like every text of the core
        return true;
    }
}
