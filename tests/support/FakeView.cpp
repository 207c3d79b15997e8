#include "support/FakeView.h"

#include <stdexcept>

void FakeView::TypeUnencodable(Control control, const std::string& textShown)
{
    unencodable.insert(control);
    SetText(control, textShown);
}

std::string FakeView::Text(Control control) const
{
    const auto found = texts.find(control);
    return found == texts.end() ? std::string() : found->second;
}

void FakeView::SetText(Control control, const std::string& text)
{
    if (Text(control) == text)
        return;
    texts[control] = text;
    if (onChange)
        onChange(control);
}

bool FakeView::Checked(Control control) const
{
    const auto found = checks.find(control);
    return found != checks.end() && found->second;
}

void FakeView::ClearPreview()
{
    preview.clear();
    selected = -1;
    ++previewClears;
}

std::string FakeView::PreviewItem(int index) const
{
    if (index < 0 || index >= PreviewCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return preview[index];
}

Answer FakeView::MessageBox(const std::string& text, const std::string& caption, Question question)
{
    boxes.push_back({text, caption, question});
    if (answers.empty())
        return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakeView::AskFileName(const std::string& title)
{
    fileTitles.push_back(title);
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::size_t>
FakeView::ChooseEntry(const std::string& title,
                      const std::vector<std::pair<std::string, std::string>>& entries,
                      const std::string& chooseCaption)
{
    choices.push_back({title, entries, chooseCaption});
    if (choiceAnswers.empty())
        return std::nullopt;
    const auto answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    return answer;
}
