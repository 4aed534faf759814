#include "files/FileCommands.h"

#include "workspace/Checksum.h"
#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"
#include "files/SafeFile.h"
#include "platform/Notifier.h"
#include "serialno/SerialSettings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <memory>

namespace {

// Configuration files are a few hundred bytes; anything near this is not one.
constexpr std::size_t kMaxConfigFileBytes = 1u << 20;

void BlankOptionWordsUnlessKept(Workspace& ws)
{
    if (ws.KeepOption) return;
    BlankOptionWords(ws);
}

// The end of every "&Load Data", cancelled or not: disassembly closed,
// serial-number and QTP mode off, pass count 0, checksums recomputed.
void ClosingSteps(Workspace& ws, GuiActions& actions)
{
    if (ws.DisasmWindowOpen) {
        actions.CloseDisasmWindow = true;
        ws.DisasmWindowOpen = false;
    }
    SetSerialMode(ws, false);
    ws.Status.QtpText = "Disable";
    if (ws.QtpMode && ws.QtpInputHandle) {
        std::fclose(ws.QtpInputHandle);
        ws.QtpInputHandle = nullptr;
    }
    ws.QtpMode = false;
    ws.Status.PassCountText = "0";
    CalChecksum(ws);
}

// The selector's device; the workspace's own when the caller left it empty.
std::string SelectedPart(const Workspace& ws, const CfgSelection& current)
{
    return current.DeviceText.empty() ? ws.DeviceName : current.DeviceText;
}

std::string MemoryCaptionOf(const Workspace& ws)
{
    return ws.ProgramFileName.empty() ? std::string("Program Memory") : ws.ProgramFileName;
}

// A program image to read into for the device being loaded: the current
// program memory in file layout, so that a short raw file keeps the rest of
// it; words that the current device does not have are blank.
std::unique_ptr<ProgramImage> ScratchImage(const Workspace& ws, const DeviceWords& dev)
{
    auto image = std::make_unique<ProgramImage>();
    const DeviceWords current = DeviceWords::Of(ws);
    ProgramToFileLayout(current, ws.ProgramMemory, image->Program);
    for (uint32_t i = current.UsedRomBytes(); i < dev.UsedRomBytes(); ++i) image->Program[i] = 0xFF;
    image->Eeprom = ws.EepromBuffer;
    return image;
}

} // namespace

bool LoadCfg(Workspace& ws, const std::string& path, CfgSelection& selection, Notifier& n, GuiActions& actions)
{
    FileBytes file = ReadWholeFile(path, kMaxConfigFileBytes);
    if (file.Status != ReadStatus::Ok) {
        if (file.Status != ReadStatus::TooLarge) n.Message("File can't open!");
        return false;
    }
    const ConfigParse parsed = ParseCfg(file.Bytes);
    if (!parsed.Ok) {
        if (!parsed.Message.empty()) n.Message(parsed.Message);
        return false;
    }
    const ConfigRecord& record = parsed.Record;

    // The configured device, looked up without touching the workspace.
    auto probe = std::make_unique<Workspace>();
    if (GetICInfo(*probe, record.DeviceName) < 0) return false;

    if (!FileExists(record.ProgramFileName)) {
        n.Message(record.ProgramFileName.empty() ? "No data file name"
                                                 : "Can not find '" + record.ProgramFileName + "' !");
        return false;
    }
    DeviceWords dev = DeviceWords::Of(*probe);
    dev.MemoryWindowOpen = ws.MemoryWindowOpen;
    auto image = ScratchImage(ws, dev);
    // A configuration file named as the program file is refused here by its type.
    if (!ReadProgramFile(record.ProgramFileName, dev, n, *image)) return false;

    ApplyConfigRecord(ws, record, selection);
    ws.DeviceIndex = GetICInfo(ws, record.DeviceName);
    UpdateOption(ws, &n);
    CommitProgramImage(ws, *image);
    SetSerialMode(ws, false);
    CalChecksum(ws);
    if (ws.StartupDone) actions |= UpdateScreen(ws, &n);
    return true;
}

FileCommandResult LoadDataFile(Workspace& ws, const std::string& path, const CfgSelection& current, Notifier& n)
{
    FileCommandResult result;
    if (!path.empty()) {
        if (!FileExists(path)) {
            n.Message("File don't exist!");
            return result;
        }
        if (ProgramFileTypeOf(path) == ProgramFileType::Config) {
            BlankOptionWordsUnlessKept(ws);
            ws.ConfigPath = path;
            CfgSelection selection = current;
            if (LoadCfg(ws, path, selection, n, result.Actions)) {
                result.Selection = selection;
            } else {
                result.Actions |= ResetData(ws, SelectedPart(ws, current), &n);
            }
        } else {
            const DeviceWords dev = DeviceWords::Of(ws);
            auto image = ScratchImage(ws, dev);
            if (!ReadProgramFile(path, dev, n, *image)) return result;
            BlankOptionWordsUnlessKept(ws);
            ws.ProgramFileName = path;
            CommitProgramImage(ws, *image);
        }
        SetSerialMode(ws, false);
        result.Loaded = true;
        result.Actions |= UpdateScreen(ws, &n);
        result.MemoryCaption = MemoryCaptionOf(ws);
    }
    ClosingSteps(ws, result.Actions);
    return result;
}

FileCommandResult LoadConfigFile(Workspace& ws, const std::string& path, const CfgSelection& current, Notifier& n)
{
    FileCommandResult result;
    CfgSelection selection = current;
    ws.ConfigPath = path;
    if (LoadCfg(ws, path, selection, n, result.Actions)) {
        result.Loaded = true;
        result.Selection = selection;
        if (ws.StartupDone) result.MemoryCaption = MemoryCaptionOf(ws);
    } else {
        result.Actions |= ResetData(ws, SelectedPart(ws, current), &n);
    }
    if (ws.DisasmWindowOpen) {
        result.Actions.CloseDisasmWindow = true;
        ws.DisasmWindowOpen = false;
    }
    return result;
}

bool SaveConfigFile(Workspace& ws, const std::string& path, const CfgSelection& current, Notifier& n)
{
    ws.ConfigPath = path;
    if (WriteFileReplacing(path, SaveCfg(ws, current))) return true;
    n.Message(file_dialogs::kCfgCannotSave);
    return false;
}

FileCommandResult LoadDefaultConfig(Workspace& ws, const CfgSelection& current, Notifier& n)
{
    FileCommandResult result;
    ws.ConfigPath = DefaultConfigPath(ws.ConfigFolder);
    if (FileExists(ws.ConfigPath)) {
        CfgSelection selection = current;
        if (LoadCfg(ws, ws.ConfigPath, selection, n, result.Actions)) {
            result.Loaded = true;
            result.Selection = selection;
        } else {
            result.Actions |= ResetData(ws, SelectedPart(ws, current), &n);
        }
    } else {
        UpdateOption(ws, &n);
    }
    return result;
}

bool SaveDefaultConfig(Workspace& ws, const CfgSelection& current, Notifier& n)
{
    if (ws.QtpMode && ws.QtpInputHandle) {
        std::fclose(ws.QtpInputHandle);
        ws.QtpInputHandle = nullptr;
    }
    ws.ConfigPath = DefaultConfigPath(ws.ConfigFolder);
    // The first close of a new user creates the settings folder.
    std::error_code ec;
    std::filesystem::create_directories(ws.ConfigFolder, ec);
    if (WriteFileReplacing(ws.ConfigPath, SaveCfg(ws, current))) return true;
    n.Message(file_dialogs::kCfgCannotSave);
    return false;
}
