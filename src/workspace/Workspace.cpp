#include "workspace/Workspace.h"

#include <cstdio>

StatusPanel::StatusPanel()
{
    // The captions as laid out in the "Options :" group, before a device's
    // option tables replace them.
    static constexpr const char* kLayoutCaptions[13] = {
        "OSC Type:", "PRD:", "OST:", "WDT:", "PED:", "Security:", "Software WDT:",
        "Freq. x 2:", "Pull-Hi:", "CLKOUT:", "Reset on Err.", "Comparators:", "Low Pwr RC:"};
    for (std::size_t i = 0; i < OptionItems.size(); ++i) OptionItems[i].Caption = kLayoutCaptions[i];
}

Workspace::Workspace() = default;

Workspace::~Workspace()
{
    for (std::FILE* f : {QtpInputHandle, QtpOutputHandle, CfgFileHandle, DataFileHandle}) {
        if (f) std::fclose(f);
    }
}
