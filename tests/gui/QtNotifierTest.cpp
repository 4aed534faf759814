#include "GuiTest.h"
#include "app/forms/QtNotifier.h"
#include "platform/forms/GuiReportQueue.h"

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

// A question asked on a worker reaches the user on the GUI thread and the
// worker waits for the answer; a cancel ends the wait and nothing is shown.
TEST(QtNotifierTest, WorkerQuestionIsAnsweredByTheUser)
{
    GuiReportQueue reports;
    QtNotifier user;
    Worker worker;
    WorkerNotifier notifier(reports, user, [&] { return worker.CancelFlag().load(); });
    Notifier& asks = notifier;
    std::atomic<int> answer{-1};
    QString shown;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            EXPECT_EQ(answer, -1) << "the worker waits for the user";
            box->button(QMessageBox::Yes)->click();
        }
    });
    answerer.start(20);
    worker.Start([&] { answer = int(asks.Question("Go on?", QuestionButtons::YesNo)); });
    EXPECT_TRUE(WaitUntil([&] { return answer != -1; }));
    EXPECT_EQ(answer, int(Answer::Yes));
    EXPECT_EQ(shown, "Go on?");

    answerer.stop();
    worker.Start([&] { answer = int(asks.Question("Stop?", QuestionButtons::YesNo)); });
    worker.Stop();
    EXPECT_EQ(answer, int(Answer::Cancel));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
