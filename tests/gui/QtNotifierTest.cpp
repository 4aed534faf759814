#include "app/forms/QtNotifier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Answers the next message box with the given button once it is up, and
// keeps what it showed.
struct BoxAnswerer {
    QString Text;
    QString Title;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;

    void Answer(QMessageBox::StandardButton button)
    {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            Text = box->text();
            Title = box->windowTitle();
            Buttons = box->standardButtons();
            Icon = box->icon();
            box->button(button)->click();
        });
    }
};

} // namespace

TEST(QtNotifierTest, QuestionReturnsTheButtonPressed)
{
    QtNotifier notifier;
    BoxAnswerer answerer;
    answerer.Answer(QMessageBox::No);
    EXPECT_EQ(notifier.Question("Overwrite?", QuestionButtons::YesNo), Answer::No);
    EXPECT_EQ(answerer.Buttons, QMessageBox::Yes | QMessageBox::No);

    answerer.Answer(QMessageBox::Ignore);
    EXPECT_EQ(notifier.Question("Reset address (0000h) is blank!!", QuestionButtons::AbortIgnore),
              Answer::Ignore);
    EXPECT_EQ(answerer.Buttons, QMessageBox::Abort | QMessageBox::Ignore);

    answerer.Answer(QMessageBox::Retry);
    EXPECT_EQ(notifier.Question("?", QuestionButtons::AbortRetryIgnore), Answer::Retry);
    answerer.Answer(QMessageBox::Cancel);
    EXPECT_EQ(notifier.Question("?", QuestionButtons::OkCancel), Answer::Cancel);
}
