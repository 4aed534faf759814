// Program memory as an assembler listing: each word decoded by the tables of
// its device family, laid out in columns, with ORG lines where skipped
// (non-instruction) words end, the register header in front and END behind.
// The listing is built in memory; saving goes through the temporary-file-
// and-rename helper, so a failed save leaves the old file as it was.
#pragma once

#include "disasm/InstructionTables.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Notifier;
struct Workspace;

// Program memory holds 16384 words at most; a listing never decodes more.
constexpr uint32_t kMaxListingWords = 16384;

// One word decoded: the mnemonic and the operand text, or not an instruction.
struct DecodedWord {
    bool IsInstruction = false;
    std::string_view Mnemonic;
    std::string Operands;
};

// The word as the decoder sees it: (high << wordShift) + low, both bytes as stored.
uint32_t ListingWord(uint8_t low, uint8_t high, uint8_t wordShift);

// Decodes one word with the set; `family` enables the family-limited rows.
DecodedWord DecodeWord(const InstructionSet& set, uint32_t family, uint32_t word);

// The instruction line of word `index`: mnemonic padded to 8, operands
// padded to 16, ";" and the index in 4 hex digits, four blanks, the word in
// 4 hex digits, CR LF. The listing puts eight blanks in front of it.
std::string InstructionLine(const DecodedWord& decoded, uint32_t index, uint32_t word);

// The line store: one entry per decoded word.
struct ListingEntry {
    bool Listed = false;      // an instruction (a skipped word is not listed)
    bool OrgBefore = false;   // the first listed word after skipped ones
    std::string Text;         // InstructionLine, empty when not listed
};

// Decodes min(RomBytes / 2, 16384) words of program memory with the
// family's set. Reads the workspace only.
std::vector<ListingEntry> DisassembleProgram(const Workspace& ws);

// The whole listing text, every line ended by CR LF.
std::string ListingText(const std::vector<ListingEntry>& entries);

// DisassembleProgram and ListingText in one.
std::string BuildListing(const Workspace& ws);

// The save dialog's proposed name: the path up to the first "." of its file
// name (folders keep their dots); empty when the file name has no ".".
std::string ProposedListingName(const std::string& programFileName);

// The save dialog's texts.
namespace listing_dialog {
constexpr const char* kTitle = "Save disassembly";
constexpr const char* kFilter = "Disassemble files (*.dis)|*.dis";
constexpr const char* kDefaultSuffix = "dis";
constexpr const char* kCannotSave = "File can't be saved!";
constexpr const char* kWindowCaption = "Disassembly";
}  // namespace listing_dialog

// Saves the listing to path once the save dialog closed with filter
// `filterIndex` (counted from 1). An empty path or another filter than the
// first, or a write that fails, shows "File can't be saved!" and leaves an
// existing file intact. True when the file holds the listing.
bool SaveListing(std::string_view listing, const std::string& path, int filterIndex, Notifier& notifier);
