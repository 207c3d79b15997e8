#include "app/SignalCloser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class Window : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closes;
        event->accept();
    }
};

TEST(SignalCloser, ASignalClosesOpenBoxesAndMenusThenTheWindowAndOneBeforeItWaitsForIt)
{
    QApplication::setQuitOnLastWindowClosed(false);
    SignalCloser::CatchSignals();
    Window window;
    window.show();
    // A signal that comes while the program starts does not end it on the spot: it waits for the
    // closer, and the window closes the ordinary way. So does the hang-up of a closed terminal.
    std::raise(SIGHUP);
    EXPECT_TRUE(SignalCloser::Received());
    SignalCloser closer(&window);
    QApplication::processEvents();
    EXPECT_EQ(window.closes, 1);

    // Every box that is open when a signal comes answers as if cancelled, the menu closes, then
    // the window.
    window.show();
    QDialog outer(&window);
    QDialog inner(&window);
    QMenu menu(&window);
    menu.addAction(QStringLiteral("item"));
    int innerResult = -1;
    QTimer::singleShot(0, &outer, [&] {
        menu.popup(QPoint(0, 0));
        QTimer::singleShot(10, [] { std::raise(SIGTERM); });
        innerResult = inner.exec();
    });
    EXPECT_EQ(outer.exec(), QDialog::Rejected);
    EXPECT_EQ(innerResult, QDialog::Rejected);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(window.closes, 2);
    EXPECT_FALSE(window.isVisible());
    QApplication::setQuitOnLastWindowClosed(true);
}

} // namespace
