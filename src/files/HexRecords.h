// Intel HEX records of the ".chx" and ".hex" program files: the reader that
// fills a scratch image and the writer of the ".chx" text.
#pragma once

#include "files/ProgramImage.h"

#include <cstdint>
#include <string>
#include <string_view>

// The kinds of record error, numbered as the messages report them.
enum class HexError {
    None = 0,
    ByteCount = 1,    // "Byte No. error at line "
    Address = 2,      // "Address error at line " (also data past the 64K address space or the EEPROM buffer)
    Data = 3,         // "Data error at line "
    Checksum = 4,     // "Checksum error at line "
};

struct HexReadResult {
    int Extent = 0;               // highest code address that carried a data byte, at most 32768
    HexError Error = HexError::None;
    int ErrorRecord = 0;          // the last record in error, counted from 1
};

// Reads the records of text into image.Program and image.Eeprom (both set
// to 0xFF first); text outside records is skipped. Bytes below codeHexLimit
// go to program memory, a high byte masked with highByteMask; even addresses
// from eepromHexBase are EEPROM bytes. Records of types 02 to 05 hold
// addresses, not data; data after a non-zero extended address is an address
// error. A byte count of 0 ends the reading. Every record is read; the last
// error wins.
HexReadResult HexToObj(std::string_view text, int codeHexLimit, int eepromHexBase, uint8_t highByteMask,
                       ProgramImage& image);

// The message for a record error, e.g. "Checksum error at line 3 !".
std::string HexErrorMessage(const HexReadResult& result);

// One data record: ":" count, address, "00", data, checksum, CR LF, upper case.
std::string HexDataRecord(uint16_t address, const uint8_t* data, std::size_t count);

// The ".chx" text of a save image: records of at most 16 bytes that never
// cross a 16-byte boundary, words FFFF left out, then the end record.
std::string ChxText(const uint8_t* image, std::size_t length);
