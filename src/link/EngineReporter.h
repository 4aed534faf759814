// How the programming engine shows its progress. The engine runs on its own
// thread; whoever implements this must hand every call over to the thread
// that owns the display (the progress dialog posts them as queued calls).
// Calls arrive in the order the run makes them.
#pragma once

#include "workspace/Workspace.h"

#include <string>

// The labels of the progress dialog.
enum class ProgressLabel {
    Title,        // stTitle
    Erase,        // lbEraseMsg
    BlankCheck,   // lbBlankCheckMsg
    Id,           // lbIDMsg
    Data,         // lbDataMsg
    Eeprom,       // lbEEMsg
    Option,       // lbOptionMsg
    Qtp,          // lbQTPMsg
    TotalTime,    // lbTotalTime
};
constexpr int kProgressLabelCount = 9;

enum class LabelColour {
    WindowText,   // the normal colour
    Red,          // failures (colour value 255)
    Black,        // the erase label while erasing
};

enum class ProgressButton { Exit, Continue };

class EngineReporter {
public:
    virtual ~EngineReporter() = default;
    virtual void SetCaption(ProgressLabel label, const std::string& text) = 0;
    virtual void SetColour(ProgressLabel label, LabelColour colour) = 0;
    virtual void SetVisible(ProgressLabel label, bool visible) = 0;
    virtual void EnableButton(ProgressButton button, bool enabled) = 0;
    // The end of a run that may be continued: enable Continue and Exit, and
    // arm the repeat timer when armRepeat is set.
    virtual void EnTimer1(bool armRepeat) = 0;
    // The main window's status texts changed (pass count, serial mode, QTP
    // file, serial number, checksums, QTP Sim caption); a copy, so the
    // receiver never reads the workspace while the engine writes it.
    virtual void StatusChanged(const StatusPanel& status) = 0;
    // The caption of the engineering panel's "QTP Sim" button.
    virtual void QtpSimCaption(const std::string& caption) = 0;
};
