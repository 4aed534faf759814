#include "files/ConfigFile.h"

#include "workspace/Checksum.h"

#include "serialno/SerialNumber.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {


bool IsDelimiter(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string NotAnInteger(std::string_view text)
{
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::string OutOfRange(std::string_view text)
{
    return "'" + std::string(text) + "' is out of range";
}

std::string StripLineEnd(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    return std::string(text);
}

std::string_view SkipBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

// Walks the text the way the reader always has: whole lines forward to the
// next key, then blank-separated tokens of the rest of that line.
class CfgReader {
public:
    explicit CfgReader(std::string_view bytes) : bytes_(bytes) {}

    // Reads lines until one contains key; CfgText becomes the text after it.
    // The search only goes forward: a missing key consumes the rest.
    bool SearchStr(std::string_view key)
    {
        while (next_ < bytes_.size()) {
            std::size_t lf = bytes_.find('\n', next_);
            std::size_t end = lf == std::string_view::npos ? bytes_.size() : lf + 1;
            std::string_view line = bytes_.substr(next_, end - next_);
            next_ = end;
            std::size_t at = line.find(key);
            if (at != std::string_view::npos) {
                cfgText_ = line.substr(at + key.size());
                return true;
            }
        }
        return false;
    }

    // The next blank-separated token of CfgText, empty when none is left.
    std::string_view GetStr()
    {
        std::size_t start = 0;
        while (start < cfgText_.size() && IsDelimiter(cfgText_[start])) ++start;
        std::size_t end = start;
        while (end < cfgText_.size() && !IsDelimiter(cfgText_[end])) ++end;
        std::string_view token = cfgText_.substr(start, end - start);
        cfgText_ = cfgText_.substr(end);
        return token;
    }

    void SetText(std::string_view text) { cfgText_ = text; }
    std::string_view Text() const { return cfgText_; }

private:
    std::string_view bytes_;
    std::size_t next_ = 0;
    std::string_view cfgText_;
};

// Field conversions; each leaves the message of the first failure.
class FieldParser {
public:
    std::string Message;
    bool Failed() const { return !Message.empty(); }

    int64_t Decimal(std::string_view token, int64_t min, int64_t max)
    {
        if (Failed()) return 0;
        std::string_view digits = token;
        bool negative = false;
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
            negative = digits.front() == '-';
            digits.remove_prefix(1);
        }
        if (digits.empty() || digits.size() > 10 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            Message = NotAnInteger(token);
            return 0;
        }
        int64_t value = 0;
        for (char c : digits) value = value * 10 + (c - '0');
        if (negative) value = -value;
        if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
            Message = NotAnInteger(token);
            return 0;
        }
        if (value < min || value > max) {
            Message = OutOfRange(token);
            return 0;
        }
        return value;
    }

    bool Flag(std::string_view token) { return Decimal(token, INT32_MIN, INT32_MAX) != 0; }

    // Hexadecimal text of which the low 8 bits are taken.
    uint8_t HexByte(std::string_view token)
    {
        if (Failed()) return 0;
        if (token.empty()) {
            Message = NotAnInteger(token);
            return 0;
        }
        uint32_t value = 0;
        for (char c : token) {
            int d = HexDigitValue(c);
            if (d < 0) {
                Message = NotAnInteger(token);
                return 0;
            }
            value = value * 16 + static_cast<uint32_t>(d);
        }
        return static_cast<uint8_t>(value & 0xFF);
    }

    // "Com" and a digit: the selector item of the digit's port.
    int Port(std::string_view token)
    {
        if (Failed()) return 0;
        std::string_view digit = token.size() >= 4 ? token.substr(3, 1) : std::string_view();
        int64_t number = Decimal(digit, INT32_MIN, INT32_MAX);
        if (Failed()) return 0;
        if (number < 1 || number > kPortCount) {
            Message = OutOfRange(token);
            return 0;
        }
        return static_cast<int>(number - 1);
    }

    // The serial value: two hexadecimal digits per cell, most significant first.
    void SerialValue(std::string_view token, uint32_t byteCount, std::array<uint32_t, 8>& cells)
    {
        if (Failed()) return;
        if (token.size() < 2 * byteCount) {
            Message = NotAnInteger(token);
            return;
        }
        for (uint32_t k = 0; k < byteCount; ++k) {
            std::size_t at = (byteCount - k) * 2 - 2;
            int hi = HexDigitValue(token[at]);
            int lo = HexDigitValue(token[at + 1]);
            if (hi < 0 || lo < 0) {
                Message = NotAnInteger(token);
                return;
            }
            cells[k] = static_cast<uint32_t>(hi * 16 + lo);
        }
    }
};

// The serial settings shared by both layouts, in the order they are written.
void ReadSerialSettings(CfgReader& in, FieldParser& p, ConfigRecord& r)
{
    r.SerialModeOn = p.Flag(in.GetStr());
    // Four hexadecimal digits wide, as the serial dialog and a QTP record may
    // leave it; whether it fits the device is checked where the number is placed.
    r.SerialStartAddress = static_cast<uint32_t>(p.Decimal(in.GetStr(), 0, 0xFFFF));
    r.SerialByteCount = static_cast<uint32_t>(p.Decimal(in.GetStr(), 1, 8));
    p.SerialValue(in.GetStr(), r.SerialByteCount, r.SerialValue);
    r.SerialIncrement = static_cast<uint32_t>(p.Decimal(in.GetStr(), 0, 255));
    r.SerialMode = static_cast<uint32_t>(p.Decimal(in.GetStr(), 0, 2));
    r.SerialOrder = static_cast<uint32_t>(p.Decimal(in.GetStr(), 0, 1));
    if (!p.Failed()) r.SerialText = SerialNumberText(r.SerialValue, r.SerialByteCount);
}

ConfigParse Fail(std::string message)
{
    ConfigParse out;
    out.Message = std::move(message);
    return out;
}

std::string NotFound(std::string_view key)
{
    return "Can not find '" + std::string(key) + "' !";
}

ConfigParse ParseLegacy(std::string_view bytes)
{
    ConfigParse out;
    ConfigRecord& r = out.Record;
    r.Legacy = true;
    std::string_view body = bytes.substr(3);
    std::size_t sep = body.substr(0, 499).find('\x0F');
    if (sep == std::string_view::npos) {
        // No separator among the first 499 bytes: the 500th byte takes its place.
        if (body.size() < 500) return Fail("Config file format error!");
        sep = 499;
    }
    r.ProgramFileName = std::string(body.substr(0, sep));

    CfgReader in(bytes);
    in.SetText(body.substr(sep + 1));
    FieldParser p;
    r.PortIndex = p.Port(in.GetStr());
    r.DeviceName = std::string(in.GetStr());
    for (int i = 0; i < 7; ++i) in.GetStr();
    r.PassCountText = std::to_string(p.Decimal(in.GetStr(), 0, kPassCountMax));
    r.KeepOption = p.Flag(in.GetStr());
    ReadSerialSettings(in, p, r);
    if (p.Failed()) return Fail(p.Message);
    // One separator after the last token, then option word 0 and the ID block as raw bytes.
    std::string_view raw = in.Text();
    if (raw.size() < 1 + 2 + kIdWordsSize) return Fail("Config file format error!");
    r.OptionWord0 = {static_cast<uint8_t>(raw[1]), static_cast<uint8_t>(raw[2])};
    for (std::size_t i = 0; i < kIdWordsSize; ++i) r.IdWords[i] = static_cast<uint8_t>(raw[3 + i]);
    r.WriteEEinAuto = true;
    out.Ok = true;
    return out;
}

ConfigParse ParseText(std::string_view bytes)
{
    ConfigParse out;
    ConfigRecord& r = out.Record;
    CfgReader in(bytes);
    FieldParser p;
    auto need = [&in](const char* key) { return in.SearchStr(key); };

    if (!need("Version:")) return Fail(NotFound("Version:"));
    r.Version = std::string(in.GetStr());
    if (!need("File name:")) return Fail(NotFound("File name:"));
    // The whole rest of the line: a name may hold blanks.
    r.ProgramFileName = StripLineEnd(SkipBlanks(in.Text()));
    if (!need("COM port:")) return Fail(NotFound("COM port:"));
    r.PortIndex = p.Port(in.GetStr());
    if (!need("Device name:")) return Fail(NotFound("Device name:"));
    r.DeviceName = std::string(in.GetStr());
    if (!need("Serial mode:")) return Fail(NotFound("Serial mode:"));
    ReadSerialSettings(in, p, r);
    if (p.Failed()) return Fail(p.Message);

    if (!need("Option code:")) return Fail(NotFound("Option code:"));
    r.OptionWord0[0] = p.HexByte(in.GetStr());
    r.OptionWord0[1] = p.HexByte(in.GetStr());
    if (r.Version >= std::string("2.70")) {
        std::array<uint8_t, 2> word1{};
        word1[0] = p.HexByte(in.GetStr());
        word1[1] = p.HexByte(in.GetStr());
        r.OptionWord1 = word1;
    }
    if (p.Failed()) return Fail(p.Message);
    if (!need("ID code:")) return Fail(NotFound("ID code:"));
    for (auto& b : r.IdWords) b = p.HexByte(in.GetStr());
    if (p.Failed()) return Fail(p.Message);

    if (!need("Keep option:")) return Fail(NotFound("Keep option:"));
    r.KeepOption = p.Flag(in.GetStr());
    if (!need("Write EE in auto:")) return Fail(NotFound("Write EE in auto:"));
    r.WriteEEinAuto = p.Flag(in.GetStr());
    // The two later flags are off when their lines are missing.
    r.BypassIcCheck = in.SearchStr("Bypass IC check:") ? p.Flag(in.GetStr()) : false;
    r.SaveEEData = in.SearchStr("Save EE Data:") ? p.Flag(in.GetStr()) : false;
    if (p.Failed()) return Fail(p.Message);

    if (r.Version >= std::string("2.74")) {
        CustomerFields c;
        auto restOfLine = [&in](const char* key) {
            return in.SearchStr(key) ? StripLineEnd(SkipBlanks(in.Text())) : std::string();
        };
        c.Name = restOfLine("Customer's Name:");
        c.Project = restOfLine("Customer's project name:");
        c.Frequency = restOfLine("Frequency:");
        if (in.SearchStr("Operating voltage:")) {
            const std::string rest = StripLineEnd(in.Text());
            const std::string_view first = in.GetStr();
            if (!first.empty() && first != "~") {
                const std::size_t tilde = rest.find(" ~ ");
                if (tilde != std::string::npos) {
                    c.VoltageLow = std::string(SkipBlanks(std::string_view(rest).substr(0, tilde)));
                    c.VoltageHigh = std::string(SkipBlanks(std::string_view(rest).substr(tilde + 3)));
                } else {
                    c.VoltageLow = std::string(first);
                    in.GetStr();
                    c.VoltageHigh = std::string(in.GetStr());
                }
            }
        }
        c.Current = restOfLine("Operating current:");
        c.SleepCurrent = restOfLine("Sleep current:");
        r.Customer = c;
    }
    out.Ok = true;
    return out;
}

std::string Hex2(uint32_t value)
{
    return ByteToHex(static_cast<uint8_t>(value));
}

} // namespace

std::string PortText(int portIndex)
{
    return "Com" + std::to_string(std::clamp(portIndex, 0, kPortCount - 1) + 1);
}

ConfigParse ParseCfg(std::string_view bytes)
{
    if (bytes.size() >= 3) {
        std::string_view magic = bytes.substr(0, 3);
        if (magic == "yeb" || magic == "krv") return ParseLegacy(bytes);
        if (magic == "Ver") return ParseText(bytes);
    }
    return {};
}

std::string SaveCfg(Workspace& ws, const CfgSelection& selection)
{
    if (ws.SerialByteCount == 0) ws.SerialByteCount = 1;
    const uint32_t cells = std::min<uint32_t>(ws.SerialByteCount, 8);
    auto flag = [](bool b) { return b ? std::string("1") : std::string("0"); };

    std::string out;
    out += std::string("Version: ") + kCfgVersion + "\r\n";
    out += "File name: " + ws.ProgramFileName + "\r\n";
    out += "COM port: " + PortText(selection.PortIndex) + "\r\n";
    out += "Device name: " + (selection.DeviceText.empty() ? ws.DeviceName : selection.DeviceText) + "\r\n";
    out += "Serial mode: " + std::string(ws.SerialModeOn ? "1 " : "0 ") + std::to_string(ws.SerialStartAddress) + " " +
           std::to_string(cells) + " ";
    for (int k = static_cast<int>(cells) - 1; k >= 0; --k) out += Hex2(ws.SerialValue[k]);
    out += " " + std::to_string(ws.SerialIncrement) + " " + std::to_string(ws.SerialMode) + " " +
           std::to_string(ws.SerialOrder) + "\r\n";
    out += "Option code: " + Hex2(ws.OptionWords[0]) + " " + Hex2(ws.OptionWords[1]) + " " + Hex2(ws.OptionWords[2]) +
           " " + Hex2(ws.OptionWords[3]) + "\r\n";
    out += "ID code: ";
    for (uint8_t b : ws.IdWords) out += Hex2(b) + " ";
    out += "\r\n";
    out += "Keep option: " + flag(ws.KeepOption) + "\r\n";
    out += "Write EE in auto: " + flag(ws.WriteEEinAuto) + "\r\n";
    out += "Bypass IC check: " + flag(ws.BypassIcCheck) + "\r\n";
    out += "Save EE Data: " + flag(ws.SaveEEData) + "\r\n";
    out += "Customer's Name: " + ws.CustomerName + "\r\n";
    out += "Customer's project name: " + ws.CustomerProject + "\r\n";
    out += "Frequency: " + ws.OperatingFrequency + "\r\n";
    out += "Operating voltage: " + ws.OperatingVoltageLow + " ~ " + ws.OperatingVoltageHigh + "\r\n";
    out += "Operating current: " + ws.OperatingCurrent + "\r\n";
    out += "Sleep current: " + ws.SleepCurrent + "\r\n";
    return out;
}

void ApplyConfigRecord(Workspace& ws, const ConfigRecord& r, CfgSelection& selection)
{
    ws.ProgramFileName = r.ProgramFileName;
    selection.PortIndex = r.PortIndex;
    selection.DeviceText = r.DeviceName;
    ws.SerialModeOn = r.SerialModeOn;
    ws.SerialStartAddress = r.SerialStartAddress;
    ws.SerialByteCount = r.SerialByteCount;
    for (uint32_t k = 0; k < r.SerialByteCount && k < ws.SerialValue.size(); ++k) ws.SerialValue[k] = r.SerialValue[k];
    ws.SerialIncrement = r.SerialIncrement;
    ws.SerialMode = r.SerialMode;
    ws.SerialOrder = r.SerialOrder;
    ws.Status.SerialText = r.SerialText;
    ws.OptionWords[0] = r.OptionWord0[0];
    ws.OptionWords[1] = r.OptionWord0[1];
    if (r.OptionWord1) {
        ws.OptionWords[2] = (*r.OptionWord1)[0];
        ws.OptionWords[3] = (*r.OptionWord1)[1];
    }
    ws.IdWords = r.IdWords;
    ws.KeepOption = r.KeepOption;
    ws.WriteEEinAuto = r.WriteEEinAuto;
    if (r.BypassIcCheck) ws.BypassIcCheck = *r.BypassIcCheck;
    if (r.SaveEEData) ws.SaveEEData = *r.SaveEEData;
    if (r.Customer) {
        ws.CustomerName = r.Customer->Name;
        ws.CustomerProject = r.Customer->Project;
        ws.OperatingFrequency = r.Customer->Frequency;
        ws.OperatingVoltageLow = r.Customer->VoltageLow;
        ws.OperatingVoltageHigh = r.Customer->VoltageHigh;
        ws.OperatingCurrent = r.Customer->Current;
        ws.SleepCurrent = r.Customer->SleepCurrent;
    }
    if (r.PassCountText) ws.Status.PassCountText = *r.PassCountText;
}
