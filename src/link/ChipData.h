// Preparing and comparing the ID block and program data of a chip step.
// They work on the workspace's TransferBuffer; the memory checksum comes in
// as the four hexadecimal characters the main window shows for it.
#pragma once

#include "workspace/Workspace.h"

#include <string>

// TransferBuffer bytes 0..31 := IdWords, then bytes 12..15 := the checksum
// characters, so ID words 6 and 7 carry the program checksum as text.
void GetIdChecksum(Workspace& ws, const std::string& checksumText);

// Compares the ID block read into TransferBuffer with IdWords and the
// checksum text: bit 0 = ID differs, bit 1 = checksum differs.
int VerifyIdChecksum(const Workspace& ws, const std::string& checksumText);

// TransferBuffer := the first RomBytes bytes of ProgramMemory with the
// family's fill bits in the high bytes.
void GetRomData(Workspace& ws);

// (high << WordShift) + low, as read or as stored, without masking.
uint32_t RawWord(const Workspace& ws, uint8_t low, uint8_t high);
// Four (or two) upper-case hexadecimal digits.
std::string Hex4(uint32_t value);
std::string Hex2(uint32_t value);
