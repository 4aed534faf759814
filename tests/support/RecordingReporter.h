// An EngineReporter for tests: keeps the state each label and button would
// show, and every caption in order, under a lock (the engine reports from its
// own thread).
#pragma once

#include "link/EngineReporter.h"

#include <array>
#include <mutex>
#include <string>
#include <vector>

struct LabelState {
    std::string Caption;
    LabelColour Colour = LabelColour::WindowText;
    bool Visible = false;
};

struct ReporterState {
    std::array<LabelState, kProgressLabelCount> Labels{};
    std::vector<std::pair<ProgressLabel, std::string>> Captions;
    bool Exit = false, Continue = false;
    int EnTimer1Calls = 0;
    bool ArmRepeat = false;
    StatusPanel Status;
    std::string QtpSim;
};

class RecordingReporter : public EngineReporter {
public:
    RecordingReporter();
    void SetCaption(ProgressLabel label, const std::string& text) override;
    void SetColour(ProgressLabel label, LabelColour colour) override { Change([&](auto& s) { Of(s, label).Colour = colour; }); }
    void SetVisible(ProgressLabel label, bool visible) override { Change([&](auto& s) { Of(s, label).Visible = visible; }); }
    void EnableButton(ProgressButton button, bool enabled) override
    {
        Change([&](auto& s) { (button == ProgressButton::Exit ? s.Exit : s.Continue) = enabled; });
    }
    void EnTimer1(bool armRepeat) override;
    void StatusChanged(const StatusPanel& status) override { Change([&](auto& s) { s.Status = status; }); }
    void QtpSimCaption(const std::string& caption) override { Change([&](auto& s) { s.QtpSim = caption; }); }

    // What the dialog's restart sequence does before a new run.
    void Restart();

    ReporterState State() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return state_;
    }
    LabelState Label(ProgressLabel label) const { return State().Labels[static_cast<int>(label)]; }
    std::string Caption(ProgressLabel label) const { return Label(label).Caption; }
    bool ExitEnabled() const { return State().Exit; }
    bool ContinueEnabled() const { return State().Continue; }
    int EnTimer1Calls() const { return State().EnTimer1Calls; }
    bool LastArmRepeat() const { return State().ArmRepeat; }
    StatusPanel LastStatus() const { return State().Status; }
    std::string LastQtpSimCaption() const { return State().QtpSim; }
    // Every caption set on a label, in order.
    std::vector<std::string> CaptionsOf(ProgressLabel label) const;

private:
    static LabelState& Of(ReporterState& s, ProgressLabel label) { return s.Labels[static_cast<int>(label)]; }
    template <class F>
    void Change(F f)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        f(state_);
    }
    mutable std::mutex mutex_;
    ReporterState state_;
};
