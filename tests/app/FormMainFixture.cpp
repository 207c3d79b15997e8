#include "FormMainFixture.h"

#include "ui/skin/ZYInfoDlg.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <utility>

FormMainFixture::FormMainFixture()
{
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    EXPECT_EQ(data.FormCreate(dir.path()).outcome, OpenOutcome::Opened);
    TZYInfoDlg::SetAnswerer([this](TZYInfoDlgForm& dialog) {
        AskedDialog seen{dialog.Label_Title->text(), dialog.Label_Text->text(), {}};
        for (int number = 4; number >= 1; --number)
            if (!dialog.Button(number)->isHidden())
                seen.buttons.push_back(dialog.Button(number)->text());
        asked.push_back(seen);
        if (answers.empty())
            return 2;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    });
    auto area = std::make_unique<FakeNotifyArea>();
    trayArea = area.get();
    trayArea->log = &traySent;
    form = std::make_unique<TFormMain>(
        data.DictTable, StudyPaths{(dir / "DoRori.ini").string(), dir.path().string(), DORORI_GRADED_LISTS},
        std::move(area));
    form->openUrl = [this](const QUrl& url) { opened.push_back(url); };
}

FormMainFixture::~FormMainFixture()
{
    form.reset();
    TZYInfoDlg::SetAnswerer(nullptr);
}

void FormMainFixture::AddWords(const std::vector<std::pair<std::string, std::string>>& words)
{
    TDictTable& table = data.DictTable;
    for (const auto& [word, interpret] : words) {
        table.Append();
        table.SetFieldByName("word", word);
        table.SetFieldByName("interpret", interpret);
        table.Post();
    }
    table.First();
}

void FormMainFixture::Show()
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->Started(); }));
}
