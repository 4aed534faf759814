// What the main window's commands and hooks do with the editor windows:
// open or bring forward, re-create from the workspace, refresh in place,
// destroy, and the counter dialog. The open flags of the workspace are kept
// here only where the commands say so; a window's own close clears its flag.
#pragma once

class MainContext;

namespace editor_windows {

// View > "Program Memory": create the window when it is not open, else bring
// it to the front.
void ShowMemoryWindow(MainContext& main);
// Destroy the open program-memory window (no close handler) and create it anew.
void RecreateMemoryWindow(MainContext& main);
// Redraw the open program-memory window from the buffer.
void RebuildMemoryGrid(MainContext& main);

// View > "ID": create the window when it is not open, else bring it forward.
void ShowIdChecksumForm(MainContext& main);
void RecreateIdChecksumForm(MainContext& main);

void RecreateEepromForm(MainContext& main);
// Redraw the open EEPROM window from the buffer (after a chip operation).
void RebuildEepromGrid(MainContext& main);
void DestroyEepromForm(MainContext& main);
// Bring the EEPROM window to the front (create it when it is missing).
void ShowEepromForm(MainContext& main);

// Edit > "Set Counter Value".
void RunCounterSetup(MainContext& main);

}  // namespace editor_windows
