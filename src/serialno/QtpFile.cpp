#include "serialno/QtpFile.h"

#include "platform/FileSystem.h"
#include "workspace/Checksum.h"
#include "workspace/Workspace.h"
#include "platform/Notifier.h"
#include "serialno/SerialMessages.h"
#include "serialno/SerialNumber.h"
#include "serialno/SerialSettings.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

namespace {

void Show(Notifier& notifier, std::string_view text)
{
    notifier.Message(std::string(text));
}

void AppendHex(std::string& out, uint32_t value, int digits)
{
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += NibbleToHexChar(value >> shift);
}

uint32_t PlacedCell(uint32_t i, uint32_t byteCount, uint32_t order)
{
    return order == soMsbFirst ? byteCount - 1 - i : i;
}

// Reads the input file one character at a time through `QtpChar`.
class RecordReader {
public:
    explicit RecordReader(Workspace& ws) : Ws(ws) {}

    // The next character, or nullopt at the end of the file.
    std::optional<char> Next()
    {
        if (!Ws.QtpInputHandle) return std::nullopt;
        const int c = std::fgetc(Ws.QtpInputHandle);
        if (c == EOF) return std::nullopt;
        Ws.QtpChar = static_cast<uint8_t>(c);
        return static_cast<char>(c);
    }

    // A field of exactly `digits` hex digits; nullopt when any character is
    // not one or the file ends inside the field.
    std::optional<uint32_t> Hex(int digits)
    {
        std::string text;
        for (int i = 0; i < digits; ++i) {
            const std::optional<char> c = Next();
            if (!c) return std::nullopt;
            text += *c;
        }
        const uint32_t value = HexToInt(Ws, text);
        if (!Ws.HexDigitsValid) return std::nullopt;
        return value;
    }

    // Drops the line end after a record: CR LF, LF or CR. Whatever else
    // follows is left for the next record.
    void DropLineEnd()
    {
        std::optional<char> c = Next();
        if (c == '\r') c = Next();
        if (c && *c != '\n') std::ungetc(static_cast<unsigned char>(*c), Ws.QtpInputHandle);
    }

private:
    Workspace& Ws;
};

}  // namespace

// ----- writing -----

bool QtpPartCountValid(long long partCount, Notifier& notifier)
{
    if (partCount >= 1 && partCount <= kQtpMaxParts) return true;
    Show(notifier, SerialMessages::PartCountOverflow);
    return false;
}

std::string QtpFileNameWithExtension(const std::string& chosen)
{
    if (chosen.find('.') == std::string::npos) return chosen + ".txt";
    return chosen;
}

std::string QtpRecordText(const Workspace& ws)
{
    if (!SerialPlacementValid(ws)) return {};
    const uint32_t n = ws.SerialByteCount;
    const bool eeprom = ws.SerialTarget == stEeprom;
    const uint32_t address = ws.SerialStartAddress + (eeprom ? kQtpEepromBase : 0);
    const uint32_t second = eeprom ? kQtpEepromSecondByte : kQtpProgramSecondByte;

    std::string line = ":";
    AppendHex(line, 2 * n, 2);
    AppendHex(line, address, 4);
    line += "00";
    uint32_t sum = 2 * n + (address & 0xFF) + (address >> 8);
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t cell = ws.SerialValue[PlacedCell(i, n, ws.SerialOrder)] & 0xFF;
        AppendHex(line, cell, 2);
        AppendHex(line, second, 2);
        sum += cell + second;
    }
    AppendHex(line, (0x100 - (sum & 0xFF)) & 0xFF, 2);
    line += "\r\n";
    return line;
}

bool QTP_File(Workspace& ws)
{
    if (!ws.QtpOutputHandle || !SerialAdvanceValid(ws)) return false;
    const std::string line = QtpRecordText(ws);
    if (line.empty()) return false;
    if (std::fwrite(line.data(), 1, line.size(), ws.QtpOutputHandle) != line.size()) return false;
    return SerialNoNext(ws);
}

QtpWriteResult WriteQtpFile(Workspace& ws, const QtpFileChoice& choice, long long partCount,
                            Notifier& notifier)
{
    if (!choice.Chosen) return QtpWriteResult::Cancelled;
    if (!choice.QtpFilter) {
        Show(notifier, SerialMessages::FileCantBeSaved);
        return QtpWriteResult::Failed;
    }
    if (!QtpPartCountValid(partCount, notifier)) return QtpWriteResult::Failed;
    const std::string path = QtpFileNameWithExtension(choice.Path);
    if (FileExists(path) &&
        notifier.Question(std::string(SerialMessages::FileExistsReplace), QuestionButtons::YesNo) !=
            Answer::Yes)
        return QtpWriteResult::NotReplaced;

    // The workspace holds the handle while the records are written; it is
    // closed and cleared on every path out of here.
    if (ws.QtpOutputHandle) std::fclose(ws.QtpOutputHandle);
    ws.QtpOutputHandle = std::fopen(path.c_str(), "wb");
    if (!ws.QtpOutputHandle) {
        Show(notifier, SerialMessages::FileCantBeSaved);
        return QtpWriteResult::Failed;
    }
    bool written = true;
    for (long long part = 0; part < partCount && written; ++part) written = QTP_File(ws);
    const std::size_t endLength = sizeof kQtpEndRecord - 1;
    if (written)
        written = std::fwrite(kQtpEndRecord, 1, endLength, ws.QtpOutputHandle) == endLength;
    if (std::fclose(ws.QtpOutputHandle) != 0) written = false;
    ws.QtpOutputHandle = nullptr;
    if (!written) {
        // A file without its end record would stop production half way.
        // Only a regular file is removed, never a device or a pipe.
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) std::filesystem::remove(path, error);
        Show(notifier, SerialMessages::FileCantBeSaved);
        return QtpWriteResult::Failed;
    }
    return QtpWriteResult::Written;
}

// ----- reading -----

void ReadSerialData(Workspace& ws, Notifier& notifier)
{
    ws.QtpFileEnd = true;
    RecordReader reader(ws);

    const std::optional<char> start = reader.Next();
    if (!start || *start != ':') {
        Show(notifier, SerialMessages::FileInformationError);
        return;
    }
    const std::optional<uint32_t> length = reader.Hex(2);
    if (!length) {
        Show(notifier, SerialMessages::FileDataError);
        return;
    }
    // A record holds n (serial byte, second byte) pairs; a length below two
    // holds none and ends the file like the end record ":00000001FF".
    const uint32_t n = *length / 2;
    if (n == 0) return;  // QtpFileEnd stays set
    if (!SerialByteCountValid(n)) {  // more bytes than the eight cells hold
        Show(notifier, SerialMessages::FileDataError);
        return;
    }
    const std::optional<uint32_t> address = reader.Hex(4);
    const std::optional<uint32_t> type = address ? reader.Hex(2) : std::nullopt;
    // A type-01 record with data would go straight to its checksum and
    // leave the previous number in place, to be programmed a second time.
    if (!address || !type || *type == 1) {
        Show(notifier, SerialMessages::FileDataError);
        return;
    }
    // The sum counts 2n, not the length as written: an odd length carries
    // only its whole pairs.
    uint32_t sum = 2 * n + (*address & 0xFF) + (*address >> 8) + *type;
    const uint32_t target = *address >= kQtpEepromBase ? stEeprom : stProgramMemory;
    const uint32_t startAddress = *address - (target == stEeprom ? kQtpEepromBase : 0);
    if (!SerialLocationInside(ws, target, startAddress, n)) {
        Show(notifier, SerialMessages::FileDataError);
        return;
    }

    const uint32_t expectedSecond = target == stEeprom ? kQtpEepromSecondByte : kQtpProgramSecondByte;
    SerialCells cells = ws.SerialValue;
    for (uint32_t i = 0; i < n; ++i) {
        const std::optional<uint32_t> value = reader.Hex(2);
        const std::optional<uint32_t> second = value ? reader.Hex(2) : std::nullopt;
        if (!second || *second != expectedSecond) {
            Show(notifier, SerialMessages::FileDataError);
            return;
        }
        sum += *value + *second;
        cells[PlacedCell(i, n, ws.SerialOrder)] = *value;
    }
    const std::optional<uint32_t> checksum = reader.Hex(2);
    if (!checksum) {
        Show(notifier, SerialMessages::FileDataError);
        return;
    }
    if (((*checksum + sum) & 0xFF) != 0) {
        Show(notifier, SerialMessages::FileChecksumError);
        return;
    }

    // A whole, sound record: only now does it become the current number.
    ws.SerialByteCount = n;
    ws.SerialStartAddress = startAddress;
    ws.SerialTarget = target;
    ws.SerialValue = cells;
    ws.QtpFileEnd = false;
    ws.QtpMode = true;
    reader.DropLineEnd();
}

void CloseQtpInput(Workspace& ws)
{
    if (ws.QtpInputHandle) std::fclose(ws.QtpInputHandle);
    ws.QtpInputHandle = nullptr;
}

QtpLoadResult LoadQTPFile1Click(Workspace& ws, const QtpFileChoice& choice, Notifier& notifier)
{
    CloseQtpInput(ws);
    ws.QtpMode = false;
    ws.AutoPassCount = 0;
    if (!choice.Chosen || !choice.QtpFilter) return QtpLoadResult::Cancelled;
    ws.QtpInputHandle = std::fopen(choice.Path.c_str(), "rb");
    if (!ws.QtpInputHandle) return QtpLoadResult::Cancelled;

    ReadSerialData(ws, notifier);
    if (ws.QtpMode && ws.SerialTarget == stProgramMemory && !SerialWordsHoldRtwi(ws, kRtwiMaskRun)) {
        Show(notifier, SerialMessages::InstrNotRtwi);
        ws.QtpMode = false;
    }
    if (ws.QtpMode) {
        SetSerialMode(ws, true);
        // A number that cannot be placed (a byte order out of range) must not
        // leave serial mode on with nothing placed.
        if (!SerialNo2Memory(ws)) ws.QtpMode = false;
    }
    if (!ws.QtpMode) {
        SetSerialMode(ws, false);
        CloseQtpInput(ws);
        ws.AutoPassCount = 0;
        return QtpLoadResult::Refused;
    }
    const std::size_t slash = choice.Path.find_last_of("/\\");
    ws.Status.QtpText = slash == std::string::npos ? choice.Path : choice.Path.substr(slash + 1);
    return QtpLoadResult::Loaded;
}

// ----- the end of an automatic run -----

SerialPassResult NextSerialAfterPass(Workspace& ws, Notifier& notifier)
{
    if (!ws.SerialModeOn) return SerialPassResult::SerialOff;
    SerialPassResult result = SerialPassResult::Advanced;
    bool told = false;   // the operator has been shown why production stops
    if (ws.QtpMode) {
        ReadSerialData(ws, notifier);
        if (ws.QtpFileEnd) {
            SetSerialMode(ws, false);
            CloseQtpInput(ws);
            ws.AutoPassCount = 0;
            ws.QtpSimulate = false;
            ws.QtpMode = false;
            ws.Status.QtpText = std::string(SerialMessages::Disable);
            return SerialPassResult::QtpFinished;
        }
        result = SerialPassResult::QtpNext;
        // A record may name other words than the first one did; a number is
        // never written over words that do not hold the RTWI instruction.
        if (ws.SerialTarget == stProgramMemory && !SerialWordsHoldRtwi(ws, kRtwiMaskRun)) {
            Show(notifier, SerialMessages::InstrNotRtwi);
            told = true;
            result = SerialPassResult::Refused;
        }
    }
    // Settings that cannot give and place a fresh number must not program
    // the old one again: serial mode ends.
    if (result == SerialPassResult::Advanced && !SerialNoNext(ws)) result = SerialPassResult::Refused;
    if (result != SerialPassResult::Refused && SerialNo2Memory(ws)) return result;
    if (!told) Show(notifier, SerialMessages::SetupSerialFirst);
    SetSerialMode(ws, false);
    if (ws.QtpMode) {
        CloseQtpInput(ws);
        ws.QtpMode = false;
        ws.AutoPassCount = 0;
        ws.Status.QtpText = std::string(SerialMessages::Disable);
    }
    return SerialPassResult::Refused;
}
