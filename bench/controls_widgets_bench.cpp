// What the owner-drawn controls cost a user (offscreen): the command menu and the message box from
// the request to open them to their first painted frame, and a change of page with its tabs and
// page repainted.

#include "bench/Latency.h"
#include "ui/Fonts.h"
#include "ui/skin/ZYInfoDlgForm.h"
#include "ui/skin/ZYMenu.h"
#include "ui/skin/ZYPageControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Counts the paints of a widget.
class Paints : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// Lets events run until the widget has painted once more, or a second has passed.
bool WaitForPaint(const Paints& paints, int before)
{
    QElapsedTimer waited;
    waited.start();
    while (paints.count == before && waited.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return paints.count > before;
}

// The main window's font, "宋体" 12 pixels high.
void UseFormFont(QWidget& form)
{
    QFont font(FormFontFamily());
    font.setPixelSize(12);
    form.setFont(font);
}

QImage SidePicture()
{
    QImage picture(20, 138, QImage::Format_RGB888);
    QPainter painter(&picture);
    QLinearGradient shade(0, 0, 0, 138);
    shade.setColorAt(0, QColor(40, 90, 160));
    shade.setColorAt(1, QColor(140, 200, 240));
    painter.fillRect(picture.rect(), shade);
    return picture;
}

// The command menu with the main window's values, built anew so that each opening also measures it.
void BM_CommandMenuOpenedAndPainted(benchmark::State& state)
{
    QWidget form;
    UseFormFont(form);
    TZYMenu component(&form);
    component.SetMenuBarHeightExt(10);
    component.SetMenuBarColorHL(QColor(105, 207, 245));
    component.SetGradualCount(20);
    component.SetLPicture(SidePicture());
    Latency latency;
    for (auto _ : state) {
        auto menu = std::make_unique<QMenu>(&form);
        for (const char* caption :
             {"查字典", "单词听写", "字典维护", "-", "设置", "-", "关于...", "退出系统"}) {
            if (QByteArray(caption) == "-")
                menu->addSeparator();
            else
                menu->addAction(QString::fromUtf8(caption));
        }
        component.HookMenu(menu.get());
        Paints paints;
        menu->installEventFilter(&paints);
        latency.Time(state, [&] {
            menu->popup(QPoint(200, 200));
            if (!WaitForPaint(paints, 0))
                state.SkipWithError("the menu was not painted");
        });
        menu->close();
    }
    latency.Report(state);
}

// A page change by the user: the tab bar and the newly shown page repaint.
void BM_PageChange(benchmark::State& state)
{
    QWidget form;
    UseFormFont(form);
    form.resize(325, 180);
    TZYPageControl control(&form);
    control.setGeometry(6, 32, 304, 143);
    for (const char* caption : {"检索", "听写", "维护", "设置"}) {
        auto* page = new QWidget;
        (new QLineEdit(page))->setGeometry(4, 4, 206, 20);
        (new QListWidget(page))->setGeometry(4, 28, 92, 86);
        (new QTextEdit(page))->setGeometry(100, 28, 190, 86);
        control.addTab(page, QString::fromUtf8(caption));
    }
    control.setTabVisible(3, false);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        state.SkipWithError("the window was not shown");
    Paints paints;
    control.tabBar()->installEventFilter(&paints);
    Latency latency;
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % 3;
        latency.Time(state, [&] {
            const int before = paints.count;
            control.setCurrentIndex(page);
            if (!WaitForPaint(paints, before))
                state.SkipWithError("the tabs were not repainted");
            QApplication::processEvents();
        });
    }
    latency.Report(state);
}

// A question with its icon and three buttons: the dialog created, laid out to its text, its JPEG
// skin decoded and rendered, and shown up to its first paint.
void BM_MessageBoxOpenedAndPainted(benchmark::State& state)
{
    Latency latency;
    for (auto _ : state) {
        std::unique_ptr<TZYInfoDlgForm> form;
        Paints paints;
        latency.Time(state, [&] {
            form = std::make_unique<TZYInfoDlgForm>();
            form->InitMessageBox(QStringLiteral("词库中没有这个单词，是否追加?"), QStringLiteral("提示"),
                                 3 | 32);
            form->installEventFilter(&paints);
            form->open();
            if (!WaitForPaint(paints, 0))
                state.SkipWithError("the message box was not painted");
        });
        form->close();
    }
    latency.Report(state);
}

BENCHMARK(BM_MessageBoxOpenedAndPainted)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_CommandMenuOpenedAndPainted)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_PageChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(500);

} // namespace
