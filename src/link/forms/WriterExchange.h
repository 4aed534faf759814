// The exchanges with the writer that the main window runs outside any dialog
// (the writer check at its show and on a change of port, "Read Serial Num
// Set"), off the GUI thread through the worker contract (platform/Worker.h),
// so that the window repaints and answers while a writer that does not
// answer is waited for.
//
// While an exchange runs its worker owns the link's part of the workspace,
// lent to a workspace of the exchange's own (LendLink), and nothing else:
// the GUI keeps the rest and never touches the lent part; the commands that
// use the line are disabled meanwhile (the busy callback). The end report,
// on the GUI thread, joins the worker, takes the link back and then runs
// what the work left for the GUI thread.
//
// A new exchange cancels the one that runs, and so does Stop(): what the
// cancelled one still had to show, and its end, are dropped.
#pragma once

#include "link/WriterLink.h"
#include "platform/forms/GuiReportQueue.h"

#include <functional>
#include <memory>

class WriterExchange {
public:
    // What the work leaves to do on the GUI thread, with the link back.
    using Then = std::function<void()>;
    // Runs on the worker with the lent link, a notifier that carries
    // messages to the GUI thread, and the limits with the cancel flag.
    using Work = std::function<Then(Workspace& link, Notifier& notifier, const LinkContext& context)>;

    // busy(true) as an exchange starts, busy(false) once it has ended or was
    // stopped; both on the GUI thread.
    WriterExchange(Workspace& ws, Notifier& notifier, std::function<void(bool busy)> busy);
    ~WriterExchange();
    WriterExchange(const WriterExchange&) = delete;
    WriterExchange& operator=(const WriterExchange&) = delete;

    // Cancels the exchange that runs, then starts work with the limits of
    // `limits` (its own cancel flag is ignored).
    void Start(Work work, const LinkContext& limits);
    // Cancels the exchange that runs and joins it; the link is back then.
    void Stop();
    bool Running() const { return running_; }

private:
    // Shows the messages of the exchange that runs; those of a cancelled
    // one still waiting in the queue are dropped.
    class Gate : public Notifier {
    public:
        Gate(Notifier& target, const int& stale) : target_(target), stale_(stale) {}
        void Message(const std::string& text, const std::string& caption, MessageIcon icon) override;
        Answer Question(const std::string& text, QuestionButtons buttons, const std::string& caption,
                        MessageIcon icon) override;

    private:
        Notifier& target_;
        const int& stale_;
    };

    // Stop() without the busy callback.
    void Cancel();
    void Ended(const Then& then);

    Workspace& ws_;
    std::function<void(bool)> busy_;
    std::unique_ptr<Workspace> link_;
    bool running_ = false;
    // Cancelled exchanges whose end report still waits in the queue; the
    // queue runs each exchange's reports in order and its end report last.
    int stale_ = 0;
    GuiReportQueue reports_;
    Gate gate_;
    WorkerNotifier notifier_;
    Worker worker_;
};
