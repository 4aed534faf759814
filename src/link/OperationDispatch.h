// Operation dispatch: every chip command of the main window stores its
// operation code, passes its guard and hands over to WriterFunction, which
// reopens the port and shows the progress dialog that runs the engine.
// The window work is asked of the main window through OperationWindows, so
// every rule here runs without a window.
#pragma once

#include "workspace/BufferCommands.h"
#include "workspace/Workspace.h"
#include "link/ProgrammingEngine.h"

#include <cstdint>
#include <string>

class Notifier;

class OperationWindows {
public:
    virtual ~OperationWindows() = default;
    // The port selector's text ("Com1".."Com8").
    virtual std::string PortText() = 0;
    // Shows the progress dialog modally; returns when it has closed. The
    // dialog starts the engine when it is shown.
    virtual void ShowProgressDialog() = 0;
    // Reruns the creation routine of the open program-memory / EEPROM window.
    virtual void RebuildMemoryWindow() = 0;
    virtual void RebuildEepromWindow() = 0;
    // Carries out what a buffer command asks of the windows.
    virtual void ApplyActions(const GuiActions& actions) = 0;
    virtual void TileHorizontally() = 0;
    // Re-creates the ID, program-memory and EEPROM windows and redraws the
    // option summary.
    virtual void UpdateScreen() = 0;
    // Destroys the disassembly window and disables "Save Disassmble".
    virtual void CloseDisassembly() = 0;
    // The status texts of the workspace changed; redraw the status panel.
    virtual void StatusChanged() = 0;
    // The device selector's text.
    virtual std::string DeviceText() = 0;
};

// The reset-vector guard of program data and both auto programs: true to go
// on. A blank reset word asks "Reset address (XXXXh) is blank!!" with Abort
// (false) and Ignore (true).
bool CheckResetAddr(const Workspace& ws, Notifier& notifier);

// Reopens the port and, when that worked and CommandCode is an operation,
// shows the progress dialog; afterwards rebuilds the open memory windows.
// Returns true when the dialog was shown.
bool WriterFunction(Workspace& ws, Notifier& notifier, OperationWindows& windows);

// The handler of every chip command: the code's guard, then WriterFunction.
// Returns true when the dialog was shown. Codes outside 0..12 are refused.
bool RunOperation(Workspace& ws, Notifier& notifier, OperationWindows& windows, int32_t code);
