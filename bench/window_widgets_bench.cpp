// What the user feels through the real window (offscreen): the start to the first painted window,
// and a keystroke in the lookup box.

#include "app/FormData.h"
#include "app/FormMain.h"
#include "app/NamedChild.h"
#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "support/TempDir.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// Notes the first paint of the window.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// From nothing to the first painted main window over an empty table created on this start.
void BM_StartToFirstPaint(benchmark::State& state)
{
    Latency latency;
    for (auto _ : state) {
        TempDir dir;
        latency.Time(state, [&] {
            InstallFontSubstitutions();
            TFormData data;
            TFormMain form(data.DictTable, {(dir / "DoRori.ini").string(), dir.path().string()});
            data.FormCreate(dir.path());
            FirstPaint paint;
            form.installEventFilter(&paint);
            form.show();
            while (!paint.painted)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        });
    }
    latency.Report(state);
}

// One typed letter and its erasure, alternately, with the seek, the word view, the preview list
// and the repaint of the widgets.
void BM_KeystrokeInLookupBox(benchmark::State& state)
{
    TFormData data;
    data.DictTable.Open(BenchTablePath(static_cast<std::size_t>(state.range(0))));
    TFormMain form(data.DictTable, {"/nonexistent/DoRori.ini", "/tmp"});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        state.SkipWithError("the window was not shown");
    auto& input = NamedChild<QLineEdit>(form, "Edit_Input");
    input.setFocus();
    QTest::keyClicks(&input, "co");
    Latency latency;
    bool typed = false;
    for (auto _ : state) {
        latency.Time(state, [&] {
            if (typed)
                QTest::keyClick(&input, Qt::Key_Backspace);
            else
                QTest::keyClick(&input, Qt::Key_N);
            QApplication::processEvents();
        });
        typed = !typed;
    }
    latency.Report(state);
}

BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_KeystrokeInLookupBox)->Arg(10000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
