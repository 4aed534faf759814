// The programming engine: one run of a chip operation on a worker thread.
// The run reads the operation code from the workspace, checks what it can
// before it talks to the writer, then runs the chip steps in their fixed
// order and reports each step through an EngineReporter. A run is started
// by Start() and stopped cooperatively by Cancel(): every wait of the link
// (reads and writes) looks at the cancel flag, and the thread is always
// joined, never killed (platform/Worker.h).
//
// THREADS: who owns what while a run goes on.
// - The engine's thread owns the whole Workspace from Start() until the
//   run's end report (EnTimer1, or Exit enabled alone) has been sent: it
//   reads the device, buffers and settings, writes CommandBuffer,
//   TransferBuffer, the port and link state (ComHandle, LinkFailed,
//   WriterId, WriterVersion), OptText/OptValue, the read-back buffers, the
//   serial number, the QTP file and the status texts. The end report is
//   the run's last act; the GUI thread still calls Join() before it reads
//   what the run left (the windows' refresh, the repetition's checks).
// - The GUI thread meanwhile shows only copies: every report (captions,
//   colours, buttons, StatusPanel, "QTP Sim") carries its values, and
//   messages come through the worker notifier. It writes no workspace field
//   the run uses; what the run needs of widgets it takes before the start
//   (EngineControls). The automatic repetition's fields (AutoWriterOn,
//   AutoWriterStop, the counts) are the GUI's alone: the run never uses them.
// - The progress dialog is modal: nothing else in the program reaches the
//   workspace or the port until the run is joined.
#pragma once

#include "workspace/Workspace.h"
#include "link/EngineReporter.h"
#include "workspace/EngineeringValues.h"

#include "platform/Worker.h"

#include <atomic>
#include <chrono>
#include <string>

class Notifier;

// What the run needs of the main window's controls, taken on the GUI thread
// before the run starts so that the worker never reads a widget.
struct EngineControls {
    std::string DeviceText;              // the device selector's text
    EngineeringValues Engineering;       // the engineering panel when the run starts
};

// How a run ended, for the caller and the tests.
enum class RunEnd {
    NotRun,        // no run yet, or the code was not an operation
    Completed,     // the end block ran (EnTimer1 called)
    StepFailed,    // a step failed and ended with EnTimer1
    ExitOnly,      // a compare failed or a pre-check stopped: only Exit enabled
    QtpFinished,   // the QTP file ran out
    Cancelled,     // stopped by Cancel()
};

class ProgrammingEngine {
public:
    // The reporter and notifier must outlive the engine; both are called
    // from the worker thread and must hand their work to their own thread.
    ProgrammingEngine(Workspace& ws, EngineReporter& reporter, Notifier& notifier);
    ~ProgrammingEngine();
    ProgrammingEngine(const ProgrammingEngine&) = delete;
    ProgrammingEngine& operator=(const ProgrammingEngine&) = delete;

    // Starts a run of ws.CommandCode with the given control snapshot. A
    // previous run is joined first, so two runs never overlap.
    void Start(const EngineControls& controls);
    // Asks a running run to stop at its next wait; returns at once.
    void Cancel();
    // Waits for the run to end.
    void Join();
    // Cancel() and Join().
    void Stop();
    bool Running() const { return running_.load(); }
    // Cancel() was asked of the current run.
    bool Cancelling() const { return worker_.CancelFlag().load(); }
    RunEnd LastEnd() const { return lastEnd_.load(); }
    // The limit per expected byte in hundredths of a second (tests shorten it).
    void SetTimeoutHundredths(int hundredths) { timeoutHundredths_ = hundredths; }

    // Runs one operation on the calling thread (the worker's body).
    RunEnd RunOnce(const EngineControls& controls);

private:
    Workspace& ws_;
    EngineReporter& reporter_;
    Notifier& notifier_;
    Worker worker_;
    std::atomic<bool> running_{false};
    std::atomic<RunEnd> lastEnd_{RunEnd::NotRun};
    int timeoutHundredths_ = 500;
};
