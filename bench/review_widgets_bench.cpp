// The statistics window through the real main window (offscreen) over 1M words with 100k cards and
// 1M answers: from the command menu's 学习统计 to the window's first paint, its figures gathered and
// its plots laid out.

#include "app/FormData.h"
#include "app/FormMain.h"
#include "app/FormStatistics.h"
#include "app/NamedChild.h"
#include "bench/BenchReviews.h"
#include "bench/Latency.h"
#include "support/PaintSeen.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

void BM_StatisticsWindowFromTheMenu(benchmark::State& state)
{
    TFormData data;
    data.DictTable.Open(BenchReviewTablePath(1000000, 100000));
    TFormMain form(data.DictTable, {"/nonexistent/DoRori.ini", "/tmp"});
    form.pages.clock.now = [] { return kBenchReviewNow; };
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        state.SkipWithError("the window was not shown");
    auto& item = NamedChild<QAction>(form, "MenuItem_statistics");
    Latency latency;
    for (auto _ : state) {
        PaintSeen paint;
        latency.Time(state, [&] {
            item.trigger();
            auto* window = form.findChild<TFormStatistics*>();
            window->installEventFilter(&paint);
            while (!paint.painted)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        });
        delete form.findChild<TFormStatistics*>();
    }
    latency.Report(state);
}

BENCHMARK(BM_StatisticsWindowFromTheMenu)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
