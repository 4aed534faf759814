#include "link/forms/WriterExchange.h"

WriterExchange::WriterExchange(Workspace& ws, Notifier& notifier, std::function<void(bool busy)> busy)
    : ws_(ws), busy_(std::move(busy)), link_(std::make_unique<Workspace>()), gate_(notifier, stale_),
      notifier_(reports_, gate_, [this] { return worker_.CancelFlag().load(); })
{
}

WriterExchange::~WriterExchange() { Stop(); }

void WriterExchange::Start(Work work, const LinkContext& limits)
{
    if (running_) Cancel();
    LendLink(ws_, *link_);
    running_ = true;
    busy_(true);
    const int hundredths = limits.TimeoutHundredths;
    worker_.Start([this, work = std::move(work), hundredths] {
        LinkContext context;
        context.Cancel = &worker_.CancelFlag();
        context.TimeoutHundredths = hundredths;
        Then then = work(*link_, notifier_, context);
        reports_.Post([this, then = std::move(then)] {
            if (stale_ > 0) --stale_;
            else Ended(then);
        });
    });
}

void WriterExchange::Stop()
{
    if (!running_) return;
    Cancel();
    busy_(false);
}

void WriterExchange::Cancel()
{
    worker_.Stop();
    ReturnLink(*link_, ws_);
    running_ = false;
    ++stale_;
}

void WriterExchange::Ended(const Then& then)
{
    // The end report is the work's last act: once its thread is joined the
    // link is the GUI's again.
    worker_.Join();
    ReturnLink(*link_, ws_);
    running_ = false;
    busy_(false);
    if (then) then();
}

void WriterExchange::Gate::Message(const std::string& text, const std::string& caption, MessageIcon icon)
{
    if (stale_ == 0) target_.Message(text, caption, icon);
}

Answer WriterExchange::Gate::Question(const std::string& text, QuestionButtons buttons, const std::string& caption,
                                      MessageIcon icon)
{
    return stale_ == 0 ? target_.Question(text, buttons, caption, icon) : Answer::Cancel;
}
