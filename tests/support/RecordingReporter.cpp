#include "RecordingReporter.h"

RecordingReporter::RecordingReporter()
{
    labels_[static_cast<int>(ProgressLabel::Title)] = {"Auto Program", LabelColour::WindowText, true};
    labels_[static_cast<int>(ProgressLabel::BlankCheck)].Visible = true;
    labels_[static_cast<int>(ProgressLabel::TotalTime)].Visible = true;
}

void RecordingReporter::SetCaption(ProgressLabel label, const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    labels_[static_cast<int>(label)].Caption = text;
    captions_.emplace_back(label, text);
}

void RecordingReporter::SetColour(ProgressLabel label, LabelColour colour)
{
    std::lock_guard<std::mutex> lock(mutex_);
    labels_[static_cast<int>(label)].Colour = colour;
}

void RecordingReporter::SetVisible(ProgressLabel label, bool visible)
{
    std::lock_guard<std::mutex> lock(mutex_);
    labels_[static_cast<int>(label)].Visible = visible;
}

void RecordingReporter::EnableButton(ProgressButton button, bool enabled)
{
    std::lock_guard<std::mutex> lock(mutex_);
    (button == ProgressButton::Exit ? exit_ : continue_) = enabled;
}

void RecordingReporter::EnTimer1(bool armRepeat)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++enTimer1_;
    armRepeat_ = armRepeat;
    exit_ = continue_ = true;
}

void RecordingReporter::StatusChanged(const StatusPanel& status)
{
    std::lock_guard<std::mutex> lock(mutex_);
    status_ = status;
}

void RecordingReporter::QtpSimCaption(const std::string& caption)
{
    std::lock_guard<std::mutex> lock(mutex_);
    qtpSim_ = caption;
}

void RecordingReporter::Restart()
{
    std::lock_guard<std::mutex> lock(mutex_);
    exit_ = continue_ = false;
    for (ProgressLabel l : {ProgressLabel::Erase, ProgressLabel::BlankCheck, ProgressLabel::Data,
                            ProgressLabel::Id, ProgressLabel::Option, ProgressLabel::Eeprom}) {
        labels_[static_cast<int>(l)].Visible = false;
        labels_[static_cast<int>(l)].Colour = LabelColour::WindowText;
    }
    captions_.clear();
}

LabelState RecordingReporter::Label(ProgressLabel label) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return labels_[static_cast<int>(label)];
}

bool RecordingReporter::ExitEnabled() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return exit_;
}

bool RecordingReporter::ContinueEnabled() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return continue_;
}

int RecordingReporter::EnTimer1Calls() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return enTimer1_;
}

bool RecordingReporter::LastArmRepeat() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return armRepeat_;
}

StatusPanel RecordingReporter::LastStatus() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return status_;
}

std::string RecordingReporter::LastQtpSimCaption() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return qtpSim_;
}

std::vector<std::string> RecordingReporter::CaptionsOf(ProgressLabel label) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> out;
    for (const auto& [l, text] : captions_)
        if (l == label) out.push_back(text);
    return out;
}
