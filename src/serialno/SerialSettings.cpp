#include "serialno/SerialSettings.h"

#include "workspace/Workspace.h"
#include "serialno/SerialMessages.h"
#include "serialno/SerialNumber.h"
#include "serialno/SerialSetFrame.h"

#include <algorithm>

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsAsciiDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperText(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = Upper(c);
    return out;
}

// The last `length` characters, with "0" put in front up to `length` when
// `fill` is set.
std::string CutAndFill(std::string_view text, std::size_t length, bool fill)
{
    if (text.size() > length) text = text.substr(text.size() - length);
    std::string out(text);
    if (fill && out.size() < length) out.insert(0, length - out.size(), '0');
    return out;
}

// The run-time's words for a text that is not a number.
std::string NotANumber(std::string_view text) { return "'" + std::string(text) + "' is not a valid integer value"; }

SerialCheckFailure Plain(std::string_view text) { return {std::string(text), false, false}; }
SerialCheckFailure ErrorBox(std::string_view text) { return {std::string(text), true, false}; }

// Parses a value text of the current mode into cells: hex pairs, or one
// cell per ASCII character ("0"-"9" 0 to 9, "A"-"Z" 10 to 35). The text has
// exactly the mode's length and only characters of the mode.
void ValueCells(SerialCells& cells, std::string_view text, uint32_t n, uint32_t mode)
{
    if (mode != smAscii) {
        SerialCellsFromHexText(cells, text, n);
        return;
    }
    for (uint32_t i = 0; i < n; ++i) {
        const char c = text[text.size() - 1 - i];
        cells[i] = c <= '9' ? static_cast<uint32_t>(c - '0') : static_cast<uint32_t>(c - 'A' + 10);
    }
}

// The index texts "0", "1", "2" of the radio groups.
uint32_t IndexOf(std::string_view text, uint32_t last)
{
    const std::optional<uint32_t> value = DecimalValueOf(text, 1);
    return value && *value <= last ? *value : 0;
}

}  // namespace

std::optional<uint32_t> SerialByteCountOf(std::string_view text)
{
    const std::optional<uint32_t> n = DecimalValueOf(text, 2);
    if (!n || !SerialByteCountValid(*n)) return std::nullopt;
    return n;
}

std::optional<char> FilterHexFieldKey(char key, uint32_t mode)
{
    if (mode == smAscii ? IsAsciiDigit(key) : IsHexDigit(key)) return Upper(key);
    return std::nullopt;
}

std::optional<char> FilterByteCountKey(char key)
{
    if (key >= '1' && key <= '8') return key;
    return std::nullopt;
}

std::optional<char> FilterDecimalKey(char key)
{
    if (key >= '0' && key <= '9') return key;
    return std::nullopt;
}

uint32_t SerialValueLength(uint32_t byteCount, uint32_t mode)
{
    return mode == smAscii ? byteCount : 2 * byteCount;
}

std::string StartAddressExit(std::string_view text)
{
    std::string out(text);
    if (out.size() < 4) out.insert(0, 4 - out.size(), '0');
    return out;
}

std::string ValueFieldExit(std::string_view text, uint32_t byteCount, uint32_t mode)
{
    if (!SerialByteCountValid(byteCount)) return std::string(text);
    return CutAndFill(text, SerialValueLength(byteCount, mode), true);
}

std::string StartValueExit(std::string_view text, uint32_t byteCount, uint32_t mode)
{
    std::string out = ValueFieldExit(text, byteCount, mode);
    // All ones is the lock-up value of the shift register: it never leaves it.
    if (mode == smPseudoRandom && SerialByteCountValid(byteCount) &&
        std::all_of(out.begin(), out.end(), [](char c) { return c == 'F' || c == 'f'; }))
        out.assign(2 * byteCount, '0');
    return out;
}

std::string AtLeastOneExit(std::string_view text)
{
    const std::optional<uint32_t> value = DecimalValueOf(text, 9);
    if (value && *value < 1) return "1";
    return std::string(text);
}

void FitValuesToByteCount(SerialDialogTexts& texts, bool fill)
{
    const std::optional<uint32_t> n = SerialByteCountOf(texts.NoOfByte);
    if (!n) return;
    const std::size_t length = SerialValueLength(*n, texts.Mode);
    texts.StartValue = CutAndFill(texts.StartValue, length, fill);
    texts.EndValue = CutAndFill(texts.EndValue, length, fill);
}

std::optional<SerialCheckFailure> CheckSerialNoSetting(const Workspace& ws, SerialDialogTexts& texts)
{
    const std::optional<uint32_t> n = SerialByteCountOf(texts.NoOfByte);
    if (!n) return Plain("\"No. of Byte\" is not a valid value!!");
    const std::optional<uint32_t> increment = DecimalValueOf(texts.Increment, 9);
    if (!increment) return Plain(" \"Increment\" is not a valid value!!");
    const bool ascii = texts.Mode == smAscii;
    if (*increment < 1 || *increment > (ascii ? 35u : 255u)) {
        SerialCheckFailure failure = Plain(" \"Increment\" is not a valid value!!");
        failure.ClearIncrement = true;
        return failure;
    }

    const std::string address = StartAddressExit(UpperText(texts.StartAddress));
    if (address.size() > 4 || !std::all_of(address.begin(), address.end(), IsHexDigit))
        return ErrorBox(NotANumber(texts.StartAddress));
    const uint32_t start = static_cast<uint32_t>(std::stoul(address, nullptr, 16));
    if (!SerialLocationInside(ws, texts.Target, start, *n))
        return Plain(texts.Target == stProgramMemory ? "Serial no located beyond program memory size"
                                                     : "Serial no located beyond EEPROM memory size");

    const std::size_t length = SerialValueLength(*n, texts.Mode);
    if (texts.StartValue.size() > length) return Plain("Start value over " + std::to_string(*n) + " bytes!!");
    if (texts.Target == stProgramMemory) {
        for (uint32_t i = 0; i < *n; ++i) {
            const uint8_t code = ws.ProgramMemory[2 * (std::size_t{start} + i) + 1] & kRtwiMaskDialog;
            if (code != 0x62 && code != 0x6E)
                return ErrorBox("The program memory is not 'RTWI'. Serial No. will be disable!");
        }
    }

    // Both numbers at their full length, so that comparing the texts from
    // the first character compares the numbers from the most significant
    // byte down.
    auto valid = [ascii](char c) { return ascii ? IsAsciiDigit(c) : IsHexDigit(c); };
    const std::string startValue = CutAndFill(UpperText(texts.StartValue), length, true);
    const std::string endValue = CutAndFill(UpperText(texts.EndValue), length, true);
    if (!std::all_of(startValue.begin(), startValue.end(), valid)) return ErrorBox(NotANumber(texts.StartValue));
    if (!std::all_of(endValue.begin(), endValue.end(), valid)) return ErrorBox(NotANumber(texts.EndValue));
    // An all-ones start can never pass: no end value is greater. In the
    // Pseudo-random mode that is the lock-up value the register never leaves.
    if (endValue <= startValue) return ErrorBox("Setar Value more then End Value !! ");

    texts.StartAddress = address;
    texts.StartValue = startValue;
    texts.EndValue = endValue;
    texts.NoOfByte = std::to_string(*n);
    texts.Increment = std::to_string(*increment);
    return std::nullopt;
}

void LoadSerialSettings(Workspace& ws, const SerialDialogTexts& texts)
{
    const uint32_t n = *SerialByteCountOf(texts.NoOfByte);
    ws.SerialTarget = texts.Target;
    ws.SerialStartAddress = static_cast<uint32_t>(std::stoul(texts.StartAddress, nullptr, 16));
    ws.SerialByteCount = n;
    ValueCells(ws.SerialValue, texts.StartValue, n, texts.Mode);
    ValueCells(ws.SerialStartValue, texts.StartValue, n, texts.Mode);
    ValueCells(ws.SerialEndValue, texts.EndValue, n, texts.Mode);
    ws.SerialIncrement = *DecimalValueOf(texts.Increment, 9);
    ws.SerialMode = texts.Mode;
    ws.SerialOrder = texts.Order;
}

void AcceptSerialSettings(Workspace& ws, const SerialDialogTexts& texts)
{
    ws.SerialDialogOk = true;
    ws.SerialSetupTexts[sstStartAddress] = texts.StartAddress;
    ws.SerialSetupTexts[sstByteCount] = texts.NoOfByte;
    ws.SerialSetupTexts[sstStartValue] = texts.StartValue;
    ws.SerialSetupTexts[sstEndValue] = texts.EndValue;
    ws.SerialSetupTexts[sstIncrement] = texts.Increment;
    ws.SerialSetupTexts[sstTarget] = std::to_string(texts.Target);
    ws.SerialSetupTexts[sstOrder] = std::to_string(texts.Order);
    ws.SerialSetupTexts[sstMode] = std::to_string(texts.Mode);
    LoadSerialSettings(ws, texts);
    SetSerialMode(ws, true);
    SerialNo2Memory(ws);
}

void DisableSerialMode(Workspace& ws)
{
    SetSerialMode(ws, false);
    ws.QtpSimulate = false;
}

SerialDialogTexts OpeningSerialTexts(Workspace& ws, std::string& savedSerial)
{
    SerialDialogTexts texts;
    if (ws.SerialDialogOk) {
        texts.StartAddress = ws.SerialSetupTexts[sstStartAddress];
        texts.NoOfByte = ws.SerialSetupTexts[sstByteCount];
        texts.StartValue = ws.SerialSetupTexts[sstStartValue];
        texts.EndValue = ws.SerialSetupTexts[sstEndValue];
        texts.Increment = std::to_string(ws.SerialIncrement);
        texts.Mode = std::min<uint32_t>(ws.SerialMode, smAscii);
        texts.Order = std::min<uint32_t>(ws.SerialOrder, soLsbFirst);
        texts.Target = std::min<uint32_t>(ws.SerialTarget, stEeprom);
    }
    if (ws.SerialSetLoaded) {
        ws.SerialSetLoaded = false;
        const auto& set = ws.SerialSetTexts;
        texts.StartAddress = set[ssStartAddress];
        // The writer's count comes as two hex digits ("02"); the field holds
        // one digit, 1 to 8.
        const std::optional<uint32_t> n = DecimalValueOf(set[ssByteCount], 2);
        texts.NoOfByte = n ? std::to_string(*n) : set[ssByteCount];
        texts.StartValue = set[ssStartValue];
        texts.EndValue = set[ssEndValue];
        texts.Increment = set[ssIncrement];
        savedSerial = set[ssSavedSerial];
        texts.Target = set[ssTarget] == "0" ? 0 : 1;
        texts.Order = ws.SerialSetupTexts[sstOrder] == "0" ? 0 : 1;
        texts.Mode = IndexOf(ws.SerialSetupTexts[sstMode], smAscii);
    }
    return texts;
}
