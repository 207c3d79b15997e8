#pragma once
// A StudyFixture whose program can be shown, closed and started again over the same table and
// configuration directory, as a user's sessions follow one another.

#include "support/Gbk.h"
#include "support/StudyFixture.h"

#include <string>
#include <utility>
#include <vector>

class StudySession : public StudyFixture {
protected:
    // The window's creation, first showing and first paint: titles, last words, dictation
    // settings and start.
    void Show()
    {
        pages->settings.LoadTitles();
        pages->FirstShowWork();
        pages->FirstPaintedWork();
    }
    // Closing saves the last words; the next start gets a new window and reopens the table.
    void Restart()
    {
        pages->settings.SaveLastWords();
        pages.reset();
        view = FakeView();
        speaker = RecordingSpeaker();
        table.Close();
        table.Open((dir / "DORori.db").string());
        pages = std::make_unique<StudyPages>(
            table, view, StudyPaths{(dir / "DoRori.ini").string(), dir.path().string()}, speaker);
        view.onChange = [this](Control control) { pages->TextChanged(control); };
        Show();
    }
    // Stores the words, each explained as "释义" followed by the word.
    void AddPlain(const std::vector<std::string>& words)
    {
        std::vector<std::pair<std::string, std::string>> entries;
        for (const auto& word : words)
            entries.emplace_back(word, Explained(word));
        AddWords(entries);
    }
    static std::string Explained(const std::string& word) { return G("释义") + word; }
};
