// The main window's chip commands: each handler calls RunChipCommand with
// its operation code; the dispatcher does the guard, reopens the port and
// shows the progress dialog, and the main window redraws afterwards.
#pragma once

#include <cstdint>

class MainContext;

void RunChipCommand(MainContext& form, int32_t code);
