#include "RecordingReporter.h"

RecordingReporter::RecordingReporter()
{
    Of(state_, ProgressLabel::Title) = {"Auto Program", LabelColour::WindowText, true};
    Of(state_, ProgressLabel::BlankCheck).Visible = true;
    Of(state_, ProgressLabel::TotalTime).Visible = true;
}

void RecordingReporter::SetCaption(ProgressLabel label, const std::string& text)
{
    Change([&](ReporterState& s) {
        Of(s, label).Caption = text;
        s.Captions.emplace_back(label, text);
    });
}

void RecordingReporter::EnTimer1(bool armRepeat)
{
    Change([&](ReporterState& s) {
        ++s.EnTimer1Calls;
        s.ArmRepeat = armRepeat;
        s.Exit = s.Continue = true;
    });
}

void RecordingReporter::Restart()
{
    Change([](ReporterState& s) {
        s.Exit = s.Continue = false;
        for (ProgressLabel l : {ProgressLabel::Erase, ProgressLabel::BlankCheck, ProgressLabel::Data,
                                ProgressLabel::Id, ProgressLabel::Option, ProgressLabel::Eeprom})
            Of(s, l) = {Of(s, l).Caption, LabelColour::WindowText, false};
        s.Captions.clear();
    });
}

std::vector<std::string> RecordingReporter::CaptionsOf(ProgressLabel label) const
{
    std::vector<std::string> out;
    for (const auto& [l, text] : State().Captions)
        if (l == label) out.push_back(text);
    return out;
}
