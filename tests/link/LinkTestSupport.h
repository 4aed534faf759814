// Helpers shared by the writer-link tests.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "LinkedWriter.h"
#include "link/CommandHeader.h"
#include "platform/SerialPort.h"

// A catalogue-like device in the workspace: 2K words of 7-bit halves,
// 128 bytes of EEPROM, generation 2.
inline void SelectTestDevice(Workspace& ws)
{
    ws.DeviceName = "KRV31P210";
    ws.HeaderDeviceBytes = {0x39, 0xE0};
    ws.ProgramLastHi = 0x07;
    ws.ProgramLastLo = 0xFF;
    ws.RomBytes = 4096;
    ws.EepromLastHi = 0x00;
    ws.EepromLastLo = 0x7F;
    ws.EepromSize = 128;
    ws.OptionByteCount = 2;
    ws.DeviceFlags = 0x06;
    ws.WriterType = 2;
    ws.SevenBitMode = true;
    ws.BlankMaskLow = 0x7F;
    ws.BlankMaskHigh = 0x7F;
}

// Milliseconds a call takes.
template <class F>
long long MillisecondsOf(F&& f)
{
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

inline int CountOf(const std::vector<std::string>& names, const std::string& name)
{
    int n = 0;
    for (const auto& s : names) n += s == name;
    return n;
}
