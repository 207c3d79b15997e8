// What letting the window take its events costs the word-list commands: each command over the
// generated tables once with a window that ignores them (the tests' fake) and once with a real,
// shown window whose progress bar is set and whose events are processed (offscreen platform).
// The difference of the two, and more precisely the time measured inside the window's calls, is
// the price of staying responsive.
//
// Besides, the resident memory of the whole main window during an import of the generated list
// into an empty table, in a process of its own: before the import (the window shown on its
// maintenance page), at the import's peak and after it.

#include "app/FormData.h"
#include "app/FormMain.h"
#include "app/NamedChild.h"
#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "bench/ProcessMemory.h"
#include "bench/WordListGenerator.h"
#include "store/DictTable.h"
#include "store/TableFile.h"
#include "study/FormState.h"
#include "study/WordListTransfer.h"
#include "support/FakeView.h"
#include "support/TempDir.h"
#include "ui/skin/ZYInfoDlg.h"
#include "wordlist/WordListFormat.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// The fake window with a real progress bar and a real event loop behind it.
class WindowView : public FakeView {
public:
    WindowView()
    {
        auto* layout = new QVBoxLayout(&window_);
        bar_ = new QProgressBar;
        bar_->setRange(0, 100);
        bar_->hide();
        layout->addWidget(bar_);
        window_.resize(360, 80);
        window_.show();
        QApplication::processEvents();
    }
    void ShowProgress(bool shown) override
    {
        FakeView::ShowProgress(shown);
        windowSeconds += Seconds([&] { bar_->setVisible(shown); });
    }
    void SetProgress(int percent) override
    {
        FakeView::SetProgress(percent);
        windowSeconds += Seconds([&] { bar_->setValue(percent); });
    }
    void ProcessEvents() override
    {
        FakeView::ProcessEvents();
        windowSeconds += Seconds([] { QApplication::processEvents(); });
    }

    // Time spent in the window: painting the bar and processing events.
    double windowSeconds = 0;

private:
    QWidget window_;
    QProgressBar* bar_ = nullptr;
};

std::unique_ptr<FakeView> MakeView(const benchmark::State& state)
{
    return state.range(1) ? std::make_unique<WindowView>() : std::make_unique<FakeView>();
}

// Event rounds per command and, with the real window, the share of the command's time spent in it.
void ReportWindow(benchmark::State& state, const FakeView& view, double commandSeconds)
{
    state.counters["event_rounds"] = view.processedEvents / static_cast<double>(state.iterations());
    if (const auto* window = dynamic_cast<const WindowView*>(&view))
        state.counters["window_share_pct"] = 100 * window->windowSeconds / commandSeconds;
}

std::string TmpPath(const std::string& what, std::size_t count)
{
    return "/tmp/dorori-bench-wordlist-widgets-" + what + "-" + std::to_string(count);
}

void BM_Export(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    TDictTable table;
    table.Open(BenchTablePath(count));
    FormState form;
    auto view = MakeView(state);
    WordListTransfer transfer({table, form, *view});
    const std::string out = TmpPath("export", count) + ".txt";
    double total = 0;
    for (auto _ : state) {
        view->fileAnswers = {out};
        view->answers = {Answer::Ok};
        const double took = Seconds([&] { transfer.SpeedExportClick(); });
        state.SetIterationTime(took);
        total += took;
    }
    ReportWindow(state, *view, total);
}

// The generated list, its entries over several lines as the export writes them.
std::string ListFile(std::size_t count)
{
    return CachedBenchFile("wordlist-widgets-list-" + std::to_string(count) + ".txt",
                           [count](const std::string& path) {
                               std::string bytes;
                               for (const GeneratedWord& entry : GenerateWordList(count))
                                   AppendWordListLine(bytes, entry.word, entry.interpret);
                               std::ofstream(path, std::ios::binary) << bytes;
                           });
}

// The exported file into an empty table: every line adds a record.
void BM_ImportIntoEmpty(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string file = ListFile(count);
    const std::string path = TmpPath("import", count) + ".db";
    auto view = MakeView(state);
    double total = 0;
    for (auto _ : state) {
        RemoveBenchTable(path);
        CreateTableFile(path);
        TDictTable table;
        table.Open(path);
        FormState form;
        WordListTransfer transfer({table, form, *view});
        view->fileAnswers = {file};
        const double took = Seconds([&] { transfer.SpeedImportClick(); });
        state.SetIterationTime(took);
        total += took;
        if (table.RecordCount() != static_cast<int>(count) || !view->boxes.empty())
            state.SkipWithError("the import did not add every word");
    }
    ReportWindow(state, *view, total);
}

// In the child, with the job "<folder>\n<file>\n<words>": the program's main window over a new
// table in the folder, on its maintenance page; the file chosen in its file dialog and imported.
void ImportThroughWindow(const std::string& job)
{
    const std::string folder = job.substr(0, job.find('\n'));
    const std::string rest = job.substr(folder.size() + 1);
    const std::string file = rest.substr(0, rest.find('\n'));
    const int words = std::atoi(rest.c_str() + file.size() + 1);
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    TZYInfoDlg::SetAnswerer([](TZYInfoDlgForm&) { return 2; });
    TFormData data;
    data.FormCreate(folder);
    TFormMain form(data.DictTable, {folder + "/DoRori.ini", folder});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::exit(1);
    NamedChild<QTabWidget>(form, "PageControl1").setCurrentIndex(PageMaintain);
    QApplication::processEvents();
    const CommandMemory memory = MeasureCommand([&] {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                std::exit(1);
            dialog->selectFile(QString::fromStdString(file));
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
        });
        NamedChild<QToolButton>(form, "SpeedButton_import").click();
        QApplication::processEvents();
    });
    if (data.DictTable.RecordCount() != words)
        std::exit(1);
    ReportToParentAndExit(memory);
}

void BM_WindowImportMemory(benchmark::State& state)
{
    if (const char* job = ChildJob())
        ImportThroughWindow(job);
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string file = ListFile(count);
    for (auto _ : state) {
        const TempDir folder;
        MeasureInChild(state, folder.path().string() + "\n" + file + "\n" + std::to_string(count),
                       "--benchmark_filter=^BM_WindowImportMemory/");
    }
}

#define CASES(iterations)                                                                                    \
    ->ArgsProduct({{100000, 1000000}, {0, 1}})                                                               \
        ->ArgNames({"words", "window"})                                                                      \
        ->UseManualTime()                                                                                    \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->Iterations(iterations)
BENCHMARK(BM_Export) CASES(3);
BENCHMARK(BM_ImportIntoEmpty) CASES(2);
BENCHMARK(BM_WindowImportMemory)->ArgName("words")->Arg(100000)->Arg(1000000)->Iterations(1);

} // namespace
