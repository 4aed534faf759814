#include "RecordingNotifier.h"

void RecordingNotifier::Message(const std::string& text, const std::string& caption, MessageIcon icon)
{
    Prompts.push_back({false, text, caption, icon, QuestionButtons::YesNo});
}

Answer RecordingNotifier::Question(const std::string& text, QuestionButtons buttons,
                                   const std::string& caption, MessageIcon icon)
{
    Prompts.push_back({true, text, caption, icon, buttons});
    if (Answers.empty()) return Fallback;
    Answer a = Answers.front();
    Answers.pop_front();
    return a;
}

void RecordingNotifier::Progress(int value, int maximum)
{
    ProgressValue = value;
    ProgressMaximum = maximum;
}

std::vector<std::string> RecordingNotifier::Texts() const
{
    std::vector<std::string> out;
    for (const auto& p : Prompts) out.push_back(p.Text);
    return out;
}

std::string RecordingNotifier::LastText() const
{
    return Prompts.empty() ? std::string() : Prompts.back().Text;
}
