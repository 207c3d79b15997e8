// What the user feels through the real window (offscreen): the start to the first painted window,
// and a keystroke in the lookup box.

#include "app/FormData.h"
#include "app/FormMain.h"
#include "app/NamedChild.h"
#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "platform/KeyFileWriter.h"
#include "store/TableFile.h"
#include "support/PaintSeen.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>

namespace {

// From nothing to the first painted main window on a first run, as the program starts: no table and
// no settings yet, the settings' writer held until the window is on the screen, the table made
// after the first paint (outside the time, as is the rest of the start's work after it).
void BM_StartToFirstPaint(benchmark::State& state)
{
    Latency latency;
    for (auto _ : state) {
        TempDir dir;
        setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        KeyFileWriter writer(KeyFileWriter::Start::Held);
        std::optional<TFormData> data;
        std::optional<TFormMain> form;
        latency.Time(state, [&] {
            data.emplace();
            form.emplace(data->DictTable, StudyPaths{(dir / "DoRori.ini").string(), dir.path().string()});
            const bool firstRun = TableToCreate(dir.path());
            if (!firstRun)
                data->FormCreate(dir.path());
            form->afterFirstPaint = [&] {
                writer.Release();
                if (firstRun)
                    data->FormCreate(dir.path());
            };
            PaintSeen paint;
            form->installEventFilter(&paint);
            form->show();
            while (!paint.painted)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        });
        while (!form->Started())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!data->DictTable.Active())
            state.SkipWithError("the table was not made");
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
