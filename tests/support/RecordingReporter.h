// An EngineReporter for tests: keeps the state each label and button would
// show, and every call in order, under a lock (the engine reports from its
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

class RecordingReporter : public EngineReporter {
public:
    RecordingReporter();
    void SetCaption(ProgressLabel label, const std::string& text) override;
    void SetColour(ProgressLabel label, LabelColour colour) override;
    void SetVisible(ProgressLabel label, bool visible) override;
    void EnableButton(ProgressButton button, bool enabled) override;
    void EnTimer1(bool armRepeat) override;
    void StatusChanged(const StatusPanel& status) override;
    void QtpSimCaption(const std::string& caption) override;

    // What the dialog's restart sequence does before a new run.
    void Restart();

    LabelState Label(ProgressLabel label) const;
    std::string Caption(ProgressLabel label) const { return Label(label).Caption; }
    bool ExitEnabled() const;
    bool ContinueEnabled() const;
    int EnTimer1Calls() const;
    bool LastArmRepeat() const;
    StatusPanel LastStatus() const;
    std::string LastQtpSimCaption() const;
    // Every caption set on a label, in order.
    std::vector<std::string> CaptionsOf(ProgressLabel label) const;

private:
    mutable std::mutex mutex_;
    std::array<LabelState, kProgressLabelCount> labels_{};
    std::vector<std::pair<ProgressLabel, std::string>> captions_;
    bool exit_ = false, continue_ = false;
    int enTimer1_ = 0;
    bool armRepeat_ = false;
    StatusPanel status_;
    std::string qtpSim_;
};
