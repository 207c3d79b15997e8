#include "app/Application.h"

#include "study/ErrorReport.h"
#include "ui/QtGbk.h"

#include <QMessageBox>

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    // Docks and task switchers match the window to the installed desktop entry by its name (on
    // Wayland the window's application id), or by the window class, which is the application name
    // whether it was started as DoRori or dorori.
    setApplicationName(QStringLiteral("DoRori"));
    setDesktopFileName(QStringLiteral(DORORI_APP_ID));
    reportError = [](const QString& text) { QMessageBox::critical(nullptr, QString(), text); };
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportError(FromGbk(ErrorReportText(error)));
        return true;
    }
}
