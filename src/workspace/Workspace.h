// The program's whole working state: memory images of the selected chip,
// writer traffic buffers, device parameters, link state, serial-number
// settings, configuration flags and the customer fields of the sheet.
// One instance lives as long as the main window; every subsystem reads and
// writes its members by name.
#pragma once

#include <array>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <string>

class SerialPort;

// A (low byte, high byte) program word; packing follows the word model.
struct ProgramWord {
    uint8_t Low = 0;
    uint8_t High = 0;
};

// The input-queue part of the port status: how many received bytes wait.
struct PortStatus {
    uint32_t InQueue = 0;
};

// One option item of the status panel's "Options :" group: the caption
// control (stOptionN / stSecurity) and the value label (lbOptionN / lbSecurity).
struct OptionItemView {
    std::string Caption;            // the item's title, e.g. "OSC Type:"
    std::string Value = "Blank";    // the decoded choice, "Error" when none matches
    bool CaptionVisible = true;
    bool CaptionEnabled = true;
    bool ValueVisible = true;
    bool ValueEnabled = true;
};

// Texts and values of the main window's status panel. They live here, in the
// model, because later steps read them back (checksum texts go into command
// headers and the information sheet, the pass count into the counter dialog).
struct StatusPanel {
    StatusPanel();
    // Items 1..13 at [0..12]; item 6 is the security item (stSecurity/lbSecurity).
    std::array<OptionItemView, 13> OptionItems;
    // "Caption Value" per present item (e.g. "OSC Type: Blank"), empty when absent.
    std::string OptionSummary[13];
    std::string OptionValueText = "Blank";   // stOptionValue, e.g. "7F 5F 00 00"
    std::string IdText = "7F 7F 7F 7F 7F 7F 7F 7F 7F 7F 7F 7F";   // Label18
    std::string IcChecksumText = "Blank";    // Label17, "Checksum in IC:"
    std::string ProgramChecksum = "Blank";   // Label11, "Memory:", four upper-case hex digits
    std::string ProtectChecksum = "Blank";   // ProtectSum, "After Protect:"
    std::string TotalChecksum = "Blank";     // OptChecksum, beside TotalChecksumCaption
    std::string TotalChecksumCaption = "w/OPTIONs+EE:";   // StaticText8
    std::string PassCountText = "0";         // Label13
    std::string SerialModeText = "Disable";  // Label1
    // "Program ID & Checksum", "Program Memory" and "Program OPTION" are
    // offered: off while serial mode is on (SetSerialMode keeps both together).
    bool SingleProgramCommands = true;
    std::string SerialText;                  // stSerialNo
    std::string QtpText = "Disable";         // Label19
    uint32_t PassCount = 0;
};

// The pass counter shows at most nine decimal digits; it stops there.
constexpr uint32_t kPassCountMax = 999999999;

constexpr std::size_t kOptionWordsSize = 8;
constexpr std::size_t kIdWordsSize = 32;
constexpr std::size_t kBodyOptionSize = 16;
constexpr std::size_t kProgramMemorySize = 32768;
constexpr std::size_t kCommandBufferSize = 32;
constexpr std::size_t kTransferBufferSize = 32768;
constexpr std::size_t kEepromBufferSize = 598;

struct Workspace {
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Child windows are owned by the GUI; these only point at them.
    void* MemoryWindow = nullptr;
    std::array<uint8_t, kOptionWordsSize> OptionWords{};
    std::array<uint8_t, kIdWordsSize> IdWords{};
    std::array<uint8_t, kBodyOptionSize> BodyOption{};
    std::array<uint8_t, kProgramMemorySize> ProgramMemory{};
    std::array<uint8_t, kCommandBufferSize> CommandBuffer{};
    std::array<uint8_t, kTransferBufferSize> TransferBuffer{};
    std::array<uint8_t, kEepromBufferSize> EepromBuffer{};
    bool MemoryReadBack = false;
    bool IDFormOpen = false;
    bool MemoryWindowOpen = false;
    bool OptionChanged = false;
    bool DisasmWindowOpen = false;
    bool QtpMode = false;
    bool HexDigitsValid = true;
    int32_t AutoPassCount = 0;
    bool QtpFileEnd = false;
    bool StartupDone = false;
    std::FILE* QtpInputHandle = nullptr;   // owned; closed by the QTP reader or at exit
    std::FILE* QtpOutputHandle = nullptr;  // owned while the serial dialog writes a QTP file
    uint32_t HexValue = 0;
    int32_t FileBytesRead = 0;
    int32_t DeviceIndex = 0;
    std::FILE* CfgFileHandle = nullptr;
    std::FILE* DataFileHandle = nullptr;
    std::string ConfigPath;
    uint8_t QtpChar = 0;
    uint32_t OptionStatus = 0;
    bool QtpSimulate = false;
    bool SerialModeOn = false;
    uint32_t SerialStartAddress = 0;
    uint32_t SerialByteCount = 1;
    std::array<uint32_t, 8> SerialValue{};
    uint32_t SerialIncrement = 1;
    uint32_t SerialMode = 0;
    uint32_t SerialOrder = 0;
    uint32_t SerialTarget = 0;
    int32_t IdDisplayMode = 0;
    bool SerialDialogOk = false;
    bool LinkFailed = false;
    bool EepromWindowOpen = false;
    std::string DeviceName;
    uint8_t ProgramLastHi = 0;
    uint8_t ProgramLastLo = 0;
    uint32_t OptionSetIndex = 0;
    uint32_t DeviceFamily = 0;
    std::array<uint8_t, 2> HeaderDeviceBytes{};
    uint32_t WriterType = 0;
    uint32_t RomBytes = 0;
    int32_t FailIndex = 0;
    uint32_t EepromSize = 0;
    // OptionSetNo[0..12]: group number per option item 1..13 (0 = item absent).
    std::array<uint8_t, 13> OptionSetNo{};
    uint8_t DeviceFlags = 0;
    uint32_t OptionBlankMask1 = 0;
    uint32_t OptionBlankMask0 = 0;
    uint8_t EepromLastLo = 0;
    uint8_t EepromLastHi = 0;
    uint8_t HeaderRule = 0;
    uint8_t NeedsAdaptor = 0;
    uint8_t DeviceRecordByte = 0;
    std::array<std::string, 8> SerialSetupTexts;
    std::string WriterId;
    std::string ComPortName;
    std::string CfgText;
    std::string ProgramVersionText;
    std::string ProgramFileName;
    bool FlashPgmTestOn = false;
    bool KeepOption = false;
    bool WriteEEinAuto = true;
    bool ShowProgramTime = false;
    bool BypassIcCheck = false;
    bool SaveEEData = false;
    bool WithHandler = false;
    uint32_t FileSize = 0;
    int32_t CommandCode = 0;
    uint8_t BlankMaskHigh = 0;
    uint8_t BlankMaskLow = 0;
    uint8_t ProtectFill = 0;
    uint8_t WordShift = 0;
    bool SevenBitMode = false;
    bool AutoRunning = false;
    bool LowPowerVerify = false;
    std::string WriterVersion;
    int32_t FillStart = 0;
    int32_t FillEnd = 0;
    int32_t FillMaxAddress = 0;
    int32_t FillValue = 0;
    int32_t FillMaxValue = 0;
    int32_t EepromHexBase = 0;
    int32_t CodeHexLimit = 0;
    std::string OptText;
    uint32_t OptValue = 0;
    uint32_t OptionByteCount = 0;
    std::string CustomerName;
    std::string CustomerProject;
    std::string OperatingFrequency;
    std::string OperatingVoltageLow;
    std::string OperatingVoltageHigh;
    std::string OperatingCurrent;
    std::string SleepCurrent;
    std::string PasswordText;
    uint32_t BytesWritten = 0;
    uint32_t BytesRead = 0;
    uint32_t ComErrors = 0;
    PortStatus ComStat;
    std::shared_ptr<SerialPort> ComHandle;  // the open COM port, null when closed
    std::array<uint32_t, 8> SerialEndValue{};
    std::array<uint32_t, 8> SerialStartValue{};
    uint32_t AutoWriterCount = 0;
    int32_t AutoWriterDelay = 0;
    bool AutoWriterOn = false;
    bool AutoWriterStop = false;
    uint32_t AutoWriterDone = 0;
    bool AutoWriterButtonOn = false;
    std::array<std::string, 7> SerialSetTexts;
    bool SerialSetLoaded = false;

    // What the status panel shows, kept in the model.
    StatusPanel Status;
    // The folder of "Default.cfg", the user's settings folder, taken once when
    // the main window is created.
    std::string ConfigFolder;
};
