#include "link/CommandHeader.h"

#include "editors/EngineeringPanel.h"

namespace {

// Option-dependent rule for reads: bit 0x80 of byte 8 from option word 0.
bool HeaderRuleSetsBit(uint8_t rule, uint8_t b0, uint8_t b1)
{
    if ((b0 & 0x0F) != 0x0A) return false;
    switch (rule) {
    case 1: return true;
    case 2: return (b0 & 0x30) != 0x20;
    case 3: return (b1 & 0x18) != 0x10;
    default: return false;
    }
}

// The three characters of the name from its last "-" are "-RC".
bool IsRcDevice(const std::string& name)
{
    auto dash = name.rfind('-');
    return dash != std::string::npos && name.compare(dash, 3, "-RC") == 0 && name.size() - dash >= 3;
}

}  // namespace

void GetHeader(Workspace& ws, MemoryArea area, HeaderCommand command,
               const EngineeringValues& engineering)
{
    auto& h = ws.CommandBuffer;
    // Base.
    h[0] = 0xA1;
    h[1] = 0x00;
    h[2] = 0x00;
    h[6] = ws.HeaderDeviceBytes[0];
    h[8] = uint8_t(ws.HeaderDeviceBytes[1] | (ws.BypassIcCheck ? 0x80 : 0x00));
    h[7] = 3;

    // Area.
    switch (int(area)) {
    case areaProgram:
        h[3] = ws.ProgramLastLo;
        h[4] = ws.ProgramLastHi;
        h[5] = 0;
        break;
    case areaOption:
        h[3] = command == hcRead ? 3 : uint8_t(ws.OptionByteCount / 2 - 1);
        h[4] = 0;
        h[5] = 1;
        if (h[7] < 0x30) h[7] = 0x30;
        break;
    case areaIdChecksum:
        h[3] = command == hcRead ? 15 : 7;
        h[4] = 0;
        h[5] = 2;
        break;
    case areaEeprom:
        h[3] = ws.EepromLastLo;
        h[4] = ws.EepromLastHi;
        h[5] = 3;
        h[6] |= 0x80;
        h[7] = 20;
        if (command == hcRead) h[8] |= 0x80;
        break;
    case areaBodyOption:
        h[3] = 19;
        h[4] = 0;
        h[5] = 5;
        if (h[7] < 0x30) h[7] = 0x30;
        break;
    default:
        h[3] = 0;
        h[4] = 0;
        h[5] = 2;
        break;
    }

    // Mode bits.
    h[5] |= uint8_t((engineering.Mode65 & 3) * 32);

    // Command.
    switch (int(command)) {
    case hcProgram:
        h[9] = 0xA6;
        break;
    case hcRead:
    case hcDownload:
        if (HeaderRuleSetsBit(ws.HeaderRule, ws.OptionWords[0], ws.OptionWords[1])) h[8] |= 0x80;
        if (IsRcDevice(ws.DeviceName)) h[8] &= 0xCF;
        h[9] = command == hcRead ? 0xA5 : 0xA9;
        break;
    case hcErase:
        // The widths are clamped here too: whatever the edit holds, the
        // writer never gets a pulse byte outside the panel's ranges.
        h[7] = engineering.PanelVisible
                   ? uint8_t(WidthValue(engineering.EraseWidth, kEraseWidthRule.Maximum, 180))
                   : 240;
        h[9] = 0xA8;
        break;
    case hcOverWrite:
        if (ws.DeviceFlags < 2) {
            if (h[7] < 12) h[7] = 12;
        } else {
            h[7] = engineering.PanelVisible
                       ? uint8_t(2 * WidthValue(engineering.PulseWidth, kPulseWidthRule.Maximum, 6))
                       : 5;
        }
        h[9] = 0xA7;
        break;
    default:
        h[9] = 0xA5;
        break;
    }
}

int HeaderDataLength(const Workspace& ws)
{
    return (ws.CommandBuffer[3] + ws.CommandBuffer[4] * 256 + 1) * 2;
}
