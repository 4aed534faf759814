#include "link/OperationDispatch.h"

#include "link/ChipData.h"
#include "link/Operations.h"
#include "link/WriterLink.h"
#include "platform/Notifier.h"
#include "serialno/SerialSetFrame.h"
#include "serialno/SerialSettings.h"

bool CheckResetAddr(const Workspace& ws, Notifier& notifier)
{
    const uint32_t address = (ws.HeaderDeviceBytes[0] & 0x20) ? 0 : ws.RomBytes / 2 - 1;
    const std::size_t at = 2 * static_cast<std::size_t>(address);
    if (at + 1 >= kProgramMemorySize) return true;
    const bool blank = (ws.ProgramMemory[at] & ws.BlankMaskLow) == ws.BlankMaskLow &&
                       (ws.ProgramMemory[at + 1] & ws.BlankMaskHigh) == ws.BlankMaskHigh;
    if (!blank) return true;
    const Answer answer = notifier.Question("Reset address (" + Hex4(address) + "h) is blank!!",
                                            QuestionButtons::AbortIgnore, {}, MessageIcon::Warning);
    return answer == Answer::Ignore;
}

bool WriterFunction(Workspace& ws, Notifier& notifier, OperationWindows& windows)
{
    // A code the engine does not know would leave the dialog without an
    // enabled button; it is refused before anything opens.
    if (!IsValidOperation(ws.CommandCode)) return false;
    CheckComPort(ws, notifier, windows.PortText());
    if (ws.LinkFailed) return false;
    windows.ShowProgressDialog();
    if (ws.MemoryWindowOpen) windows.RebuildMemoryWindow();
    if (ws.EepromWindowOpen) windows.RebuildEepromWindow();
    return true;
}

namespace {

bool ReadIc(Workspace& ws, Notifier& notifier, OperationWindows& windows)
{
    BlankOptionWords(ws);
    windows.ApplyActions(ResetData(ws, windows.DeviceText(), &notifier));
    windows.StatusChanged();
    windows.TileHorizontally();
    ws.MemoryReadBack = false;
    ws.CommandCode = opReadIc;
    const bool shown = WriterFunction(ws, notifier, windows);
    if (ws.MemoryReadBack) {
        windows.UpdateScreen();
        if (ws.DisasmWindowOpen) {
            windows.CloseDisassembly();
            ws.DisasmWindowOpen = false;
        }
    }
    return shown;
}

}  // namespace

bool RunOperation(Workspace& ws, Notifier& notifier, OperationWindows& windows, int32_t code)
{
    if (!IsValidOperation(code)) return false;
    switch (code) {
    case opProgramData:
    case opAutoProgram:
    case opAutoProgramNoBlankCheck:
        if (!CheckResetAddr(ws, notifier)) return false;
        break;
    case opReadIc:
        return ReadIc(ws, notifier, windows);
    case opOverWrite:
        SetSerialMode(ws, false);
        windows.StatusChanged();
        break;
    case opSerialNoProgram:
        if (!DownloadSerialSet1Click(ws, notifier)) return false;
        break;
    default:
        break;
    }
    ws.CommandCode = code;
    const bool shown = WriterFunction(ws, notifier, windows);
    windows.StatusChanged();
    return shown;
}
