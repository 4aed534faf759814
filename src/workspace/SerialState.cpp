#include "workspace/SerialState.h"

#include "workspace/Checksum.h"
#include "workspace/Workspace.h"

bool SerialByteCountValid(uint64_t byteCount)
{
    return byteCount >= 1 && byteCount <= kSerialCellCount;
}

std::string SerialNumberText(const SerialCells& cells, uint32_t byteCount)
{
    std::string text;
    if (!SerialByteCountValid(byteCount)) return text;
    for (uint32_t k = byteCount; k-- > 0;) {
        if (k % 2 == 1) text += ' ';
        text += ByteToHex(static_cast<uint8_t>(cells[k]));
    }
    return text;
}

void SetSerialMode(Workspace& ws, bool on)
{
    ws.SerialModeOn = on;
    ws.Status.SerialModeText = on ? "Enable" : "Disable";
    ws.Status.SingleProgramCommands = !on;
}
