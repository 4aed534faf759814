#include "GuiTest.h"
#include "app/forms/QtNotifier.h"

TEST(QtNotifierTest, QuestionReturnsTheButtonPressed)
{
    const struct {
        QuestionButtons Asked;
        QMessageBox::StandardButtons Shown;
        QMessageBox::StandardButton Pressed;
        Answer Expected;
    } cases[] = {
        {QuestionButtons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, Answer::No},
        {QuestionButtons::AbortIgnore, QMessageBox::Abort | QMessageBox::Ignore, QMessageBox::Ignore, Answer::Ignore},
        {QuestionButtons::AbortRetryIgnore, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
         QMessageBox::Retry, Answer::Retry},
        {QuestionButtons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, Answer::Cancel},
    };
    QtNotifier notifier;
    for (const auto& c : cases) {
        QMessageBox::StandardButtons shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->standardButtons();
            box->button(c.Pressed)->click();
        });
        EXPECT_EQ(notifier.Question("?", c.Asked), c.Expected);
        EXPECT_EQ(shown, c.Shown);
    }
}
