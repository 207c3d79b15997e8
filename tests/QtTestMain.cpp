// Widget tests need one QApplication for the whole run, and no display: ctest's discovery run
// does not get the tests' environment, so the offscreen platform is the default here too.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A session folder of the run's own: no instance channel is shared with the desktop the tests
    // are started from or with another test program; the programs the tests start inherit it.
    const QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
