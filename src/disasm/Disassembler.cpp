#include "disasm/Disassembler.h"

#include "workspace/Checksum.h"
#include "workspace/Workspace.h"
#include "files/SafeFile.h"
#include "platform/Notifier.h"

#include <algorithm>
#include <array>

namespace {

// The register and flag names the listing's operands use, and the origin.
constexpr std::array<const char*, 20> kHeaderLines{
    ";Registers",
    "IAR     EQU     00H",
    "RTCC    EQU     01H",
    "PCL     EQU     02H",
    "STATUS  EQU     03H",
    "MSR     EQU     04H",
    "PORTA   EQU     05H",
    "PORTB   EQU     06H",
    "PORTC   EQU     07H",
    ";",
    "W       EQU     0H",
    "R       EQU     1H",
    ";Flags",
    "CF      EQU     0H",
    "HC      EQU     1H",
    "ZF      EQU     2H",
    "PF      EQU     3H",
    "TF      EQU     4H",
    ";",
    "        ORG     0000H           ;Addr    Org-Code",
};

constexpr std::array<const char*, 8> kRegisterNames{"IAR", "RTCC", "PCL", "STATUS", "MSR", "PORTA", "PORTB", "PORTC"};
constexpr std::array<const char*, 5> kStatusBitNames{"CF", "HC", "ZF", "PF", "TF"};
constexpr uint32_t kStatusRegister = 3;

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kOrgSeparator = ";----------------------------";
constexpr const char* kOrgPrefix = "        ORG     ";
constexpr const char* kLineIndent = "        ";   // the label column (six blanks) and two blanks
constexpr const char* kEnd = "        END";

// Upper-case hex digits of value, at least `digits` of them.
void AppendHex(std::string& out, uint32_t value, int digits)
{
    int needed = 1;
    while (needed < 8 && (value >> (4 * needed)) != 0) ++needed;
    for (int i = std::max(needed, digits) - 1; i >= 0; --i) out += NibbleToHexChar(value >> (4 * i));
}

// The fields every row reads.
struct Fields {
    uint32_t Op6;
    uint32_t Low;
    bool D;
    uint32_t Bit;
    uint32_t Reg;
    uint32_t Addr11;
};

Fields Split(uint32_t w)
{
    return Fields{(w & 0x3F00) >> 8, w & 0xFF, (w & 0x80) != 0, (w & 0x380) >> 7,
                  (w & 0x7F) + ((w & 0xC000) >> 7), w & 0x7FF};
}

void AppendRegister(std::string& out, uint32_t reg)
{
    if (reg < kRegisterNames.size()) {
        out += kRegisterNames[reg];
    } else {
        AppendHex(out, reg, 3);
        out += 'H';
    }
}

void AppendOperands(std::string& out, Operand kind, const Fields& f)
{
    switch (kind) {
    case Operand::None:
    case Operand::SubTable:
        break;
    case Operand::Register:
        AppendRegister(out, f.Reg);
        break;
    case Operand::RegisterBit:
        AppendRegister(out, f.Reg);
        out += ',';
        if (f.Reg == kStatusRegister && f.Bit < kStatusBitNames.size())
            out += kStatusBitNames[f.Bit];
        else
            out += char('0' + f.Bit);
        break;
    case Operand::RegisterDest:
        AppendRegister(out, f.Reg);
        out += f.D ? ",R" : ",W";
        break;
    case Operand::Immediate:
        AppendHex(out, f.Low, 3);
        out += 'H';
        break;
    case Operand::Address11:
        AppendHex(out, f.Addr11, 4);
        out += 'H';
        break;
    case Operand::Address8:
        AppendHex(out, f.Low, 4);
        out += 'H';
        break;
    case Operand::Address9:
        AppendHex(out, ((f.Op6 & 1) << 8) + f.Low, 4);
        out += 'H';
        break;
    }
}

bool RowFits(const OpcodeRow& row, uint32_t op6, uint32_t family)
{
    return op6 >= row.FirstOp6 && op6 <= row.LastOp6 && (row.Families == 0 || (row.Families & FamilyBit(family)));
}

void Pad(std::string& out, std::size_t from, std::size_t width)
{
    if (out.size() < from + width) out.append(from + width - out.size(), ' ');
}

}  // namespace

uint32_t ListingWord(uint8_t low, uint8_t high, uint8_t wordShift)
{
    // A shift wider than a byte is no word model; such a word is left unshifted.
    return (uint32_t(high) << (wordShift <= 8 ? wordShift : 0)) + low;
}

DecodedWord DecodeWord(const InstructionSet& set, uint32_t family, uint32_t word)
{
    const Fields f = Split(word);
    DecodedWord out;
    if (f.Op6 > 60) return out;
    const OpcodeRow* row = nullptr;
    for (const OpcodeRow& r : set.Rows)
        if (RowFits(r, f.Op6, family)) {
            row = &r;
            break;
        }
    if (!row) return out;

    const char* mnemonic = row->Mnemonic;
    Operand operands = row->Operands;
    if (operands == Operand::SubTable) {
        mnemonic = nullptr;
        for (const SubTableRow& sub : set.SubTable)
            if (f.Low >= sub.FirstLow && f.Low <= sub.LastLow) {
                mnemonic = sub.Mnemonic;
                operands = sub.Operands;
                break;
            }
        if (!mnemonic) return out;
    } else if (row->MnemonicD1 && f.D) {
        mnemonic = row->MnemonicD1;
        operands = row->OperandsD1;
    }
    out.IsInstruction = true;
    out.Mnemonic = mnemonic;
    AppendOperands(out.Operands, operands, f);
    return out;
}

std::string InstructionLine(const DecodedWord& decoded, uint32_t index, uint32_t word)
{
    std::string line;
    line.reserve(48);
    line += decoded.Mnemonic;
    Pad(line, 0, 8);
    const std::size_t operandsAt = line.size();
    line += decoded.Operands;
    Pad(line, operandsAt, 16);
    line += ';';
    AppendHex(line, index, 4);
    line += "    ";
    AppendHex(line, word, 4);
    line += kLineEnd;
    return line;
}

std::vector<ListingEntry> DisassembleProgram(const Workspace& ws)
{
    const uint32_t words = std::min<uint32_t>({ws.RomBytes / 2, kMaxListingWords,
                                               uint32_t(ws.ProgramMemory.size() / 2)});
    const InstructionSet& set = InstructionSetFor(ws.DeviceFamily);
    std::vector<ListingEntry> entries(words);
    bool previousSkipped = false;
    for (uint32_t i = 0; i < words; ++i) {
        const uint32_t w = ListingWord(ws.ProgramMemory[2 * i], ws.ProgramMemory[2 * i + 1], ws.WordShift);
        const DecodedWord decoded = DecodeWord(set, ws.DeviceFamily, w);
        ListingEntry& entry = entries[i];
        if (!decoded.IsInstruction) {
            previousSkipped = true;
            continue;
        }
        entry.Listed = true;
        entry.OrgBefore = previousSkipped;
        previousSkipped = false;
        entry.Text = InstructionLine(decoded, i, w);
    }
    return entries;
}

std::string ListingText(const std::vector<ListingEntry>& entries)
{
    std::string text;
    text.reserve(1024 + entries.size() * 56);
    for (const char* line : kHeaderLines) {
        text += line;
        text += kLineEnd;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ListingEntry& entry = entries[i];
        if (entry.OrgBefore) {
            text += kOrgSeparator;
            text += kLineEnd;
            text += kOrgPrefix;
            AppendHex(text, uint32_t(i), 4);
            text += 'H';
            text += kLineEnd;
        }
        if (entry.Listed) {
            text += kLineIndent;
            text += entry.Text;
        }
    }
    text += kEnd;
    text += kLineEnd;
    return text;
}

std::string BuildListing(const Workspace& ws) { return ListingText(DisassembleProgram(ws)); }

std::string ProposedListingName(const std::string& programFileName)
{
    const std::size_t nameStart = programFileName.find_last_of('/') == std::string::npos
                                      ? 0
                                      : programFileName.find_last_of('/') + 1;
    const std::size_t dot = programFileName.find('.', nameStart);
    if (dot == std::string::npos) return {};
    return programFileName.substr(0, dot);
}

bool SaveListing(std::string_view listing, const std::string& path, int filterIndex, Notifier& notifier)
{
    if (path.empty() || filterIndex != 1 || !WriteFileReplacing(path, listing)) {
        notifier.Message(listing_dialog::kCannotSave);
        return false;
    }
    return true;
}
