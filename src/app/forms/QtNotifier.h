// The Notifier of the running program: modal message boxes over the active
// window.
#pragma once

#include "platform/Notifier.h"

class QWidget;

class QtNotifier : public Notifier {
public:
    explicit QtNotifier(QWidget* parent = nullptr) : Parent(parent) {}
    void SetParent(QWidget* parent) { Parent = parent; }

    void Message(const std::string& text, const std::string& caption = {},
                 MessageIcon icon = MessageIcon::None) override;
    Answer Question(const std::string& text, QuestionButtons buttons,
                    const std::string& caption = {},
                    MessageIcon icon = MessageIcon::Question) override;

private:
    QWidget* ParentWidget() const;
    QWidget* Parent;
};
