#include "app/Application.h"

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
        reportError(QString::fromUtf8(error.what()));
        return true;
    }
}
