// The configuration file: the text layout that SaveCfg writes and LoadCfg
// reads, and the two older layouts (magic "yeb" or "krv") that are only read.
// Parsing is separate from applying, so that a file that fails leaves the
// workspace as it was.
#pragma once

#include "workspace/Workspace.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The main window's two selectors as the configuration file sees them.
struct CfgSelection {
    int PortIndex = 0;        // item of the port selector: 0 = "Com1" .. 7 = "Com8"
    std::string DeviceText;   // text of the device selector
};

constexpr int kPortCount = 8;
// The layout version this program writes; readers take option word 1 from
// "2.70" on and the customer lines from "2.74" on.
constexpr const char* kCfgVersion = "2.74";

std::string PortText(int portIndex);   // "Com1" .. "Com8"

struct CustomerFields {
    std::string Name;
    std::string Project;
    std::string Frequency;
    std::string VoltageLow;
    std::string VoltageHigh;
    std::string Current;
    std::string SleepCurrent;
};

// Everything a configuration file carries, checked and ready to apply.
struct ConfigRecord {
    bool Legacy = false;
    std::string Version;
    std::string ProgramFileName;
    int PortIndex = 0;
    std::string DeviceName;
    bool SerialModeOn = false;
    uint32_t SerialStartAddress = 0;
    uint32_t SerialByteCount = 1;
    std::array<uint32_t, 8> SerialValue{};   // cells 0 .. SerialByteCount-1 are read
    uint32_t SerialIncrement = 1;
    uint32_t SerialMode = 0;
    uint32_t SerialOrder = 0;
    std::string SerialText;                  // caption of the serial-number label
    std::array<uint8_t, 2> OptionWord0{};
    std::optional<std::array<uint8_t, 2>> OptionWord1;
    std::array<uint8_t, kIdWordsSize> IdWords{};
    bool KeepOption = false;
    bool WriteEEinAuto = true;
    std::optional<bool> BypassIcCheck;   // absent from the older layouts
    std::optional<bool> SaveEEData;
    std::optional<CustomerFields> Customer;
    std::optional<std::string> PassCountText;   // older layout only
};

struct ConfigParse {
    bool Ok = false;
    std::string Message;   // what to show when not Ok; empty = fail silently
    ConfigRecord Record;
};

// Reads the bytes of a configuration file. Fails silently on an empty file
// or an unknown first three bytes; with a message on a field that is not a
// number, out of range, missing or cut short.
ConfigParse ParseCfg(std::string_view bytes);

// The seventeen CR LF lines of the text layout. A serial byte count of 0 is
// set to 1 in the workspace first.
std::string SaveCfg(Workspace& ws, const CfgSelection& selection);

// Puts a parsed record into the workspace and the selection (the device
// members themselves are set by the caller through the device catalogue).
void ApplyConfigRecord(Workspace& ws, const ConfigRecord& record, CfgSelection& selection);
