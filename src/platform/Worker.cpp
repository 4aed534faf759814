#include "platform/Worker.h"

#include <chrono>
#include <condition_variable>
#include <memory>

void ReportQueue::Push(Task task)
{
    bool wasEmpty = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wasEmpty = tasks_.empty();
        tasks_.push_back(std::move(task));
    }
    if (wasEmpty && wake_) wake_();
}

void ReportQueue::Drain()
{
    for (;;) {
        Task task;
        bool more = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
            more = !tasks_.empty();
        }
        if (!task.Modal) {
            task.Run();
            continue;
        }
        if (modalOpen_) {
            heldModal_.push_back(std::move(task));
            continue;
        }
        // The box's event loop drains what waits behind it; a later Post()
        // finds the queue non-empty and wakes nobody, so wake it now.
        if (more && wake_) wake_();
        modalOpen_ = true;
        task.Run();
        while (!heldModal_.empty()) {
            Task next = std::move(heldModal_.front());
            heldModal_.pop_front();
            next.Run();
        }
        modalOpen_ = false;
    }
}

void Worker::Start(std::function<void()> work)
{
    Join();
    cancel_.store(false);
    thread_ = std::thread(std::move(work));
}

void Worker::Join()
{
    if (thread_.joinable()) thread_.join();
}

void Worker::Stop()
{
    Cancel();
    Join();
}

void WorkerNotifier::Message(const std::string& text, const std::string& caption, MessageIcon icon)
{
    Notifier* target = &target_;
    queue_.PostModal([target, text, caption, icon] { target->Message(text, caption, icon); });
}

namespace {

// A question on its way to the user and back.
struct PendingAnswer {
    std::mutex Mutex;
    std::condition_variable Answered;
    bool Done = false;
    bool Abandoned = false;   // the asker was cancelled: not shown any more
    Answer Given = Answer::Cancel;
};

// How often a waiting question looks at the cancel flag.
constexpr auto kCancelLook = std::chrono::milliseconds(10);

}  // namespace

Answer WorkerNotifier::Question(const std::string& text, QuestionButtons buttons, const std::string& caption,
                                MessageIcon icon)
{
    auto pending = std::make_shared<PendingAnswer>();
    Notifier* target = &target_;
    queue_.PostModal([pending, target, text, buttons, caption, icon] {
        {
            std::lock_guard<std::mutex> lock(pending->Mutex);
            if (pending->Abandoned) return;
        }
        const Answer given = target->Question(text, buttons, caption, icon);
        std::lock_guard<std::mutex> lock(pending->Mutex);
        pending->Given = given;
        pending->Done = true;
        pending->Answered.notify_all();
    });
    std::unique_lock<std::mutex> lock(pending->Mutex);
    while (!pending->Done) {
        if (cancelled_ && cancelled_()) {
            pending->Abandoned = true;
            return Answer::Cancel;
        }
        pending->Answered.wait_for(lock, kCancelLook);
    }
    return pending->Given;
}
