// A Notifier for tests: records every message and question, answers
// questions from a scripted queue (default: the given fallback answer).
#pragma once

#include "platform/Notifier.h"

#include <deque>
#include <string>
#include <vector>

struct RecordedPrompt {
    bool IsQuestion = false;
    std::string Text;
    std::string Caption;
    MessageIcon Icon = MessageIcon::None;
    QuestionButtons Buttons = QuestionButtons::YesNo;
};

class RecordingNotifier : public Notifier {
public:
    void Message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer Question(const std::string& text, QuestionButtons buttons, const std::string& caption,
                    MessageIcon icon) override;
    void Progress(int value, int maximum) override;

    // Answers given to the next questions, in order.
    void Script(std::initializer_list<Answer> answers) { Answers.insert(Answers.end(), answers); }

    std::vector<std::string> Texts() const;     // every message and question text, in order
    std::string LastText() const;               // the last one, empty when none
    void Clear() { Prompts.clear(); }

    std::vector<RecordedPrompt> Prompts;
    std::deque<Answer> Answers;
    Answer Fallback = Answer::No;
    int ProgressValue = 0;
    int ProgressMaximum = 0;
};
