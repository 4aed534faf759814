#include "workspace/BufferCommands.h"

#include "workspace/Checksum.h"
#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"
#include "platform/ConfigFolder.h"
#include "platform/Notifier.h"
#include "workspace/SerialState.h"

#include <algorithm>
#include <cstdio>

GuiActions& GuiActions::operator|=(const GuiActions& other)
{
    RecreateIdWindow |= other.RecreateIdWindow;
    RecreateMemoryWindow |= other.RecreateMemoryWindow;
    RebuildMemoryGrid |= other.RebuildMemoryGrid;
    RecreateEepromWindow |= other.RecreateEepromWindow;
    DestroyEepromWindow |= other.DestroyEepromWindow;
    ShowEepromWindow |= other.ShowEepromWindow;
    CloseDisasmWindow |= other.CloseDisasmWindow;
    TileHorizontally |= other.TileHorizontally;
    if (other.EraseEnabled) EraseEnabled = other.EraseEnabled;
    if (other.EepromControlsEnabled) EepromControlsEnabled = other.EepromControlsEnabled;
    EnableClearEepromItem |= other.EnableClearEepromItem;
    return *this;
}

namespace {

void BlankProgramMemory(Workspace& ws)
{
    for (std::size_t i = 0; i + 1 < ws.ProgramMemory.size(); i += 2) {
        ws.ProgramMemory[i] = ws.BlankMaskLow;
        ws.ProgramMemory[i + 1] = ws.BlankMaskHigh;
    }
}

void BlankEeprom(Workspace& ws) { ws.EepromBuffer.fill(0xFF); }

// Inclusive range [start, end] cut to [0, last]; false when nothing is left.
bool ClampRange(int64_t start, int64_t end, int64_t last, int64_t& from, int64_t& to)
{
    from = std::max<int64_t>(start, 0);
    to = std::min<int64_t>(end, last);
    return last >= 0 && from <= to;
}

}  // namespace

void SetCreationDefaults(Workspace& ws)
{
    ws.SerialDialogOk = false;
    ws.WriterId.clear();
    ws.WriterVersion.clear();
    ws.StartupDone = false;
    ws.AutoWriterOn = false;
    ws.AutoWriterStop = false;
    ws.AutoWriterDone = 0;
    ws.AutoPassCount = 0;
    ws.ProgramFileName.clear();
    ws.ConfigFolder = UserConfigFolder();

    SelectDevice(ws, GetIcName(0));

    BlankOptionWords(ws);
    BlankProgramMemory(ws);
    BlankEeprom(ws);

    ws.EepromWindowOpen = false;
    ws.HexDigitsValid = true;
    ws.QtpMode = false;
    ws.SerialModeOn = false;
    ws.SerialStartAddress = 0;
    ws.SerialByteCount = 1;
    ws.SerialValue.fill(0);
    ws.SerialIncrement = 1;
    ws.SerialMode = 0;
    ws.SerialOrder = 0;
    // "No. (HEX):" shows the current serial number from the start.
    ws.Status.SerialText = SerialNumberText(ws.SerialValue, ws.SerialByteCount);
    ws.IdDisplayMode = 0;
    ws.QtpSimulate = false;
    ws.FlashPgmTestOn = false;
    ws.MemoryReadBack = false;
    ws.IDFormOpen = false;
    ws.MemoryWindowOpen = false;
    ws.DisasmWindowOpen = false;

    ws.KeepOption = false;
    ws.WriteEEinAuto = true;
    ws.BypassIcCheck = false;
    ws.ShowProgramTime = false;
    ws.WithHandler = false;

    // The serial dialog's kept start value and end value.
    ws.SerialSetupTexts[2] = "0000";
    ws.SerialSetupTexts[3] = "0000";
}

void BlankOptionWords(Workspace& ws)
{
    ws.OptionWords[0] = ws.BlankMaskLow;
    ws.OptionWords[1] = ws.BlankMaskHigh;
    ws.OptionWords[2] = ws.BlankMaskLow;
    ws.OptionWords[3] = ws.BlankMaskHigh;
}

void ClearOption(Workspace& ws, Notifier* notifier)
{
    BlankOptionWords(ws);
    UpdateOption(ws, notifier);
}

void BlankIdWords(Workspace& ws)
{
    const uint8_t high = ws.BlankMaskHigh & 0x7F;
    for (std::size_t i = 0; i + 1 < ws.IdWords.size(); i += 2) {
        ws.IdWords[i] = 0x7F;
        ws.IdWords[i + 1] = high;
    }
}

GuiActions ClearId(Workspace& ws)
{
    BlankIdWords(ws);
    RenderIdTexts(ws);
    ws.IDFormOpen = true;
    GuiActions actions;
    actions.RecreateIdWindow = true;
    return actions;
}

GuiActions ClearBuffer(Workspace& ws)
{
    GuiActions actions;
    BlankProgramMemory(ws);
    if (ws.StartupDone) {
        actions.RecreateMemoryWindow = true;
        ws.MemoryWindowOpen = true;
    }
    ws.ProgramFileName.clear();
    CalChecksum(ws);
    if (ws.DisasmWindowOpen) {
        actions.CloseDisasmWindow = true;
        ws.DisasmWindowOpen = false;
    }
    return actions;
}

GuiActions ClearEepromBuffer(Workspace& ws)
{
    GuiActions actions;
    BlankEeprom(ws);
    if (ws.EepromWindowOpen) {
        actions.RecreateEepromWindow = true;
        ws.EepromWindowOpen = true;
    }
    // The EEPROM is part of the total checksum: keep the display in step.
    CalChecksum(ws);
    return actions;
}

GuiActions ShowEeprom(Workspace& ws)
{
    GuiActions actions;
    if (ws.EepromWindowOpen)
        actions.ShowEepromWindow = true;
    else
        actions.RecreateEepromWindow = true;
    ws.EepromWindowOpen = true;
    return actions;
}

void PrepareProgramFill(Workspace& ws)
{
    ws.FillMaxAddress = ws.ProgramLastHi * 256 + ws.ProgramLastLo;
    ws.FillMaxValue = static_cast<int32_t>(BlankWord(ws));
}

GuiActions FillProgramMemory(Workspace& ws, bool confirmed)
{
    GuiActions actions;
    if (confirmed) {
        // The dialog's signed checks let a start above 0x7FFFFFFF through as a
        // negative number; the device's words bound the range in any case.
        const int64_t deviceWords = std::min<int64_t>(ws.RomBytes / 2, ws.ProgramMemory.size() / 2);
        int64_t from = 0;
        int64_t to = -1;
        if (ClampRange(ws.FillStart, ws.FillEnd, deviceWords - 1, from, to)) {
            const ProgramWord w = PackWord(ws, static_cast<uint32_t>(ws.FillValue));
            for (int64_t a = from; a <= to; ++a) WriteProgramWord(ws, static_cast<uint32_t>(a), w);
        }
    }
    CalChecksum(ws);
    if (ws.MemoryWindowOpen) actions.RebuildMemoryGrid = true;
    if (ws.DisasmWindowOpen) {
        actions.CloseDisasmWindow = true;
        ws.DisasmWindowOpen = false;
    }
    return actions;
}

void PrepareEepromFill(Workspace& ws)
{
    ws.FillMaxAddress = static_cast<int32_t>(ws.EepromSize) - 1;
    ws.FillMaxValue = 255;
}

GuiActions FillEeprom(Workspace& ws, bool confirmed)
{
    GuiActions actions;
    if (confirmed) {
        const int64_t size = std::min<int64_t>(ws.EepromSize, ws.EepromBuffer.size());
        int64_t from = 0;
        int64_t to = -1;
        if (ClampRange(ws.FillStart, ws.FillEnd, size - 1, from, to)) {
            const auto value = static_cast<uint8_t>(ws.FillValue & 0xFF);
            for (int64_t a = from; a <= to; ++a) ws.EepromBuffer[static_cast<std::size_t>(a)] = value;
        }
    }
    actions.RecreateEepromWindow = true;
    ws.EepromWindowOpen = true;
    actions.EnableClearEepromItem = true;
    CalChecksum(ws);
    return actions;
}

GuiActions ResetData(Workspace& ws, std::string_view selectedPart, Notifier* notifier)
{
    GuiActions actions;
    SelectDevice(ws, selectedPart);
    if (!ws.KeepOption) {
        ws.OptionWords[0] = ws.BlankMaskLow;
        ws.OptionWords[1] = ws.BlankMaskHigh;
        ws.OptionWords[2] = ws.BlankMaskLow;
        ws.OptionWords[3] = ws.BlankMaskHigh;
    }
    SetSerialMode(ws, false);
    ws.Status.QtpText = "Disable";
    ws.Status.PassCountText = "0";
    ws.Status.PassCount = 0;

    if (ws.QtpMode && ws.QtpInputHandle) {
        std::fclose(ws.QtpInputHandle);
        ws.QtpInputHandle = nullptr;
    }
    ws.QtpMode = false;

    BlankIdWords(ws);
    BlankEeprom(ws);
    RenderIdTexts(ws);
    if (ws.StartupDone) {
        actions.RecreateIdWindow = true;
        ws.IDFormOpen = true;
    }
    actions.EraseEnabled = (ws.DeviceFlags & kFlagEraseInsteadOfBlankCheck) != 0;
    if (ws.DeviceFlags & kFlagHasEeprom) {
        actions.EepromControlsEnabled = true;
        actions.RecreateEepromWindow = true;
        ws.EepromWindowOpen = true;
    } else {
        actions.EepromControlsEnabled = false;
        actions.DestroyEepromWindow = true;
        ws.EepromWindowOpen = false;
    }

    actions |= ClearBuffer(ws);
    UpdateOption(ws, notifier);

    ws.CustomerProject.clear();
    ws.OperatingFrequency.clear();
    ws.OperatingVoltageLow.clear();
    ws.OperatingVoltageHigh.clear();
    ws.OperatingCurrent.clear();
    ws.SleepCurrent.clear();
    return actions;
}

GuiActions ChangeDevice(Workspace& ws, std::string_view selectedPart, Notifier* notifier)
{
    BlankOptionWords(ws);
    GuiActions actions = ResetData(ws, selectedPart, notifier);
    actions.TileHorizontally = true;
    if (ws.NeedsAdaptor != 0 && notifier) notifier->Message("Please add the adaptor");
    return actions;
}

GuiActions UpdateScreen(Workspace& ws, Notifier* notifier)
{
    // New data as a whole: the ID and program-memory windows come back even
    // when the user had closed them, so that the new contents are seen.
    GuiActions actions;
    actions.RecreateIdWindow = true;
    ws.IDFormOpen = true;
    RenderIdTexts(ws);
    actions.RecreateMemoryWindow = true;
    ws.MemoryWindowOpen = true;
    if (ws.DeviceFlags & kFlagHasEeprom) {
        actions.RecreateEepromWindow = true;
        ws.EepromWindowOpen = true;
    } else {
        actions.DestroyEepromWindow = ws.EepromWindowOpen;
        ws.EepromWindowOpen = false;
    }
    UpdateOption(ws, notifier);
    actions.TileHorizontally = true;
    return actions;
}

void RenderIdTexts(Workspace& ws)
{
    const auto& id = ws.IdWords;
    std::string idText;
    std::string checksumText;
    if (ws.IdDisplayMode != 0) {
        for (std::size_t i = 0; i < 12; ++i) {
            if (i) idText += ' ';
            idText += ByteToHex(id[i]);
        }
        for (std::size_t i = 12; i < 16; ++i) {
            if (i > 12) checksumText += ' ';
            checksumText += ByteToHex(id[i]);
        }
    } else {
        for (std::size_t i = 0; i < 12 && id[i] != 0; ++i) idText += static_cast<char>(id[i]);
        if (id[12] == 0x7F && id[14] == 0x7F && id[13] == ws.BlankMaskHigh && id[15] == ws.BlankMaskHigh) {
            checksumText = "Blank";
        } else {
            auto asChar = [](uint8_t b) { return b < 0x20 ? ' ' : static_cast<char>(b); };
            for (std::size_t i = 12; i < 16; i += 2) {
                checksumText += asChar(id[i]);
                if (ws.DeviceFamily == 3 || ws.DeviceFamily == 4) {
                    char buf[4];
                    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(id[i + 1]));
                    checksumText += buf;
                } else {
                    checksumText += asChar(id[i + 1]);
                }
            }
        }
    }
    ws.Status.IdText = idText;
    ws.Status.IcChecksumText = checksumText;
}
