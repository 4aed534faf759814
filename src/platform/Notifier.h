// How the core speaks to the user: messages, questions and progress. The GUI
// implements it with message boxes; the tests with a recorder that keeps
// every text and answers questions from a script.
#pragma once

#include <string>

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class QuestionButtons { YesNo, YesNoCancel, OkCancel, AbortIgnore, AbortRetryIgnore };
enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

class Notifier {
public:
    virtual ~Notifier() = default;
    // A modal message with one OK button.
    virtual void Message(const std::string& text, const std::string& caption = {},
                         MessageIcon icon = MessageIcon::None) = 0;
    // A modal question; returns the button pressed.
    virtual Answer Question(const std::string& text, QuestionButtons buttons,
                            const std::string& caption = {},
                            MessageIcon icon = MessageIcon::Question) = 0;
    // Progress of a long task, value out of maximum; the default ignores it.
    virtual void Progress(int /*value*/, int /*maximum*/) {}
};
