#include "app/forms/QtNotifier.h"

#include "platform/forms/Latin1.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(QuestionButtons buttons)
{
    switch (buttons) {
    case QuestionButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case QuestionButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case QuestionButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case QuestionButtons::AbortIgnore: return QMessageBox::Abort | QMessageBox::Ignore;
    case QuestionButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

Answer FromQtButton(int button)
{
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Abort: return Answer::Abort;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: return Answer::Cancel;
    }
}

// Texts of the system are 8-bit; the catalogue and messages are plain ASCII,
// anything else is taken as Latin-1 so no byte is lost.

// A message without a caption of its own carries the program's name.
constexpr char kProgramCaption[] = "Writer";

QString CaptionOrTitle(const std::string& caption)
{
    if (!caption.empty()) return Latin1(caption);
    return QString::fromLatin1(kProgramCaption);
}

} // namespace

QWidget* QtNotifier::ParentWidget() const
{
    if (QWidget* active = QApplication::activeModalWidget()) return active;
    if (Parent && Parent->isVisible()) return Parent;
    return QApplication::activeWindow();
}

void QtNotifier::Message(const std::string& text, const std::string& caption, MessageIcon icon)
{
    QMessageBox box(ToQtIcon(icon), CaptionOrTitle(caption), Latin1(text), QMessageBox::Ok,
                    ParentWidget());
    box.exec();
}

Answer QtNotifier::Question(const std::string& text, QuestionButtons buttons,
                            const std::string& caption, MessageIcon icon)
{
    QMessageBox box(ToQtIcon(icon), CaptionOrTitle(caption), Latin1(text), ToQtButtons(buttons),
                    ParentWidget());
    return FromQtButton(box.exec());
}
