// The one contract for work that runs off the GUI thread (a chip run, the
// firmware update, the second option set, the device download, the main
// window's writer exchanges):
//
// - A Worker starts the work on a thread of its own, asks it to stop
//   cooperatively (the work looks at the cancel flag at every wait) and
//   joins it; a thread is never killed, and the destructor stops and joins.
// - The work reports through a ReportQueue: every report is a task holding
//   copies of what it shows, run later on the thread that owns the display,
//   in the order the work posted them. The work never touches the display.
// - Messages and questions go through a WorkerNotifier: a message is posted
//   as a copy and the work goes on; a question is posted too, and the work
//   waits for the user's answer. They show one at a time, in order.
//   Nothing answers on the user's behalf: only a cancel ends the wait, and
//   the cancelled work then ends anyway.
//
// The queue's mutex orders every report after the writes the work made
// before posting it, so what a report carries is whole when it is shown.
#pragma once

#include "platform/Notifier.h"

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class ReportQueue {
public:
    // wake is called (from any thread) when the queue turns non-empty, and
    // before a modal task opens while others wait; the owner's side answers
    // it by calling Drain() on the owning thread.
    explicit ReportQueue(std::function<void()> wake) : wake_(std::move(wake)) {}
    ReportQueue(const ReportQueue&) = delete;
    ReportQueue& operator=(const ReportQueue&) = delete;

    // Any thread: queues a task for the owning thread.
    void Post(std::function<void()> task) { Push({std::move(task), false}); }
    // The same for a task that opens a modal window (a message box): while
    // one is open, later reports still show (its event loop drains the
    // queue), but the next modal task waits until it has been closed, so
    // boxes come one after another in their order, never one over another.
    void PostModal(std::function<void()> task) { Push({std::move(task), true}); }
    // The owning thread: runs the waiting tasks in order.
    void Drain();

private:
    struct Task {
        std::function<void()> Run;
        bool Modal = false;
    };
    void Push(Task task);

    std::function<void()> wake_;
    std::mutex mutex_;
    std::deque<Task> tasks_;
    // Owning thread only: a modal task is open; the modal tasks held back.
    bool modalOpen_ = false;
    std::deque<Task> heldModal_;
};

class Worker {
public:
    Worker() = default;
    ~Worker() { Stop(); }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Runs work on a new thread; a previous run is joined first, so two
    // runs never overlap. The cancel flag is cleared for the new run.
    void Start(std::function<void()> work);
    // Asks the work to stop at its next wait; returns at once.
    void Cancel() { cancel_.store(true); }
    // Waits for the work's thread to end.
    void Join();
    // Cancel() and Join().
    void Stop();
    // A run was started and not yet joined.
    bool Started() const { return thread_.joinable(); }
    const std::atomic<bool>& CancelFlag() const { return cancel_; }

private:
    std::atomic<bool> cancel_{false};
    std::thread thread_;
};

// A Notifier for work on a worker: carries messages and questions to the
// owning thread's notifier through the queue.
class WorkerNotifier : public Notifier {
public:
    // cancelled tells whether the work that asks was cancelled.
    WorkerNotifier(ReportQueue& queue, Notifier& target, std::function<bool()> cancelled)
        : queue_(queue), target_(target), cancelled_(std::move(cancelled)) {}
    void Message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    // Waits for the user's answer; a cancel ends the wait with Cancel.
    Answer Question(const std::string& text, QuestionButtons buttons, const std::string& caption,
                    MessageIcon icon) override;

private:
    ReportQueue& queue_;
    Notifier& target_;
    std::function<bool()> cancelled_;
};
