// Helpers shared by the writer-link tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LinkedWriter.h"
#include "TestSupport.h"
#include "workspace/DeviceCatalogue.h"
#include "link/CommandHeader.h"
#include "platform/SerialPort.h"

// A catalogue device in the workspace (2K words of 7-bit halves, 128 bytes of
// EEPROM) under a name outside the catalogue, so that header builds keep
// what a test changes instead of reloading the row.
inline void SelectTestDevice(Workspace& ws)
{
    SelectDevice(ws, "72Q574");
    ws.DeviceName = "KRV31P210";
    ws.EepromLastHi = 0x00;
    ws.EepromLastLo = 0x7F;
    ws.EepromSize = 128;
}

inline int CountOf(const std::vector<std::string>& names, const std::string& name)
{
    return static_cast<int>(std::count(names.begin(), names.end(), name));
}

// A linked writer with the test device selected and the writer identified (or a failed expectation).
struct IdentifiedWriter : LinkedWriter {
    IdentifiedWriter()
    {
        SelectTestDevice(Ws);
        if (Ready) Ready = CheckWriter(Ws, Notifier, Context) == lrWriterGen2Id;
        EXPECT_TRUE(Ready) << "the simulated writer is linked and identified";
    }
};
