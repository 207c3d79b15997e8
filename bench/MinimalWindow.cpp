// The floor of a start for bench/process_start.sh: the least Qt Widgets program of ours that
// shows a window, one Chinese label in the program's font 12 pixels high.

#include "ui/Fonts.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("单词"));
    QFont font(FormFontFamily());
    font.setPixelSize(12);
    label.setFont(font);
    label.setWindowTitle(QStringLiteral("MinimalWindow"));
    label.show();
    return app.exec();
}
