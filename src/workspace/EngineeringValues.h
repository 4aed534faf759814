// What the main window's engineering panel holds when a command header is
// built: one snapshot, taken on the GUI thread when a run starts.
#pragma once

#include <string>

struct EngineeringValues {
    bool PanelVisible = false;          // Panel2 shown
    std::string EraseWidth = "180";     // decimal text, 1..255
    std::string PulseWidth = "6";       // decimal text, 1..127
    int Mode65 = 0;                     // item index of Mode65: "00", "01", "10", "11"
};
