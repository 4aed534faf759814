// The small result codes of every writer exchange, the writer's reply bytes
// and the one-byte requests, with their names for logs and test output.
#pragma once

#include <cstdint>

enum LinkResult : int {
    lrNoChip = 1,           // writer answered 0xFE: nothing in the socket or wrong chip type
    lrAdapterError = 2,     // writer answered 0xFD: adapter board error
    lrWriterGen1 = 3,       // generation 1 writer, and the device needs generation 1
    lrWriterGen2 = 4,       // generation 2 writer, and the device needs generation 2
    lrWriterGen2Id = 5,     // writer that reports an identification text
    lrWrongWriter = 6,      // generation 1 or 2 writer that the device cannot use
    lrUnexpected = 7,       // a reply byte the exchange does not expect
    lrTimeout = 8,          // no byte within the time-out (or no open port, or cancelled)
    lrWriteFailed = 9,      // 0xB1 in a data stream; FailIndex holds the byte
    lrDone = 10,            // end marker 0xB8
    lrReady = 11,           // 0xB5 after a header: the writer waits for data
    lrWriteOk = 12,         // data stream finished
    lrSwitchOn = 13,        // the switch query's reply has a bit of the mask set
    lrBodyOptionError = 14, // 0xB9: chip body option error
};

enum WriterReply : uint8_t {
    wrWriteComplete = 0xB0,
    wrWriteFailed = 0xB1,
    wrReady = 0xB5,
    wrEndOfData = 0xB8,
    wrBodyOptionError = 0xB9,
    wrWriterType1 = 0xC2,
    wrWriterType2 = 0xC3,
    wrWriterType3 = 0xC4,
    wrAdapterError = 0xFD,
    wrNoChip = 0xFE,
};

// One-byte requests.
constexpr uint8_t WriterTypeQuery = 0xA0;
constexpr uint8_t WriterIdRequest = 0xAD;
constexpr uint8_t SwitchQuery = 0xAA;
// First byte of the two-byte handler signal (0xAB 0x00 cycle start, 0xAB 0x01 passed).
constexpr uint8_t HandlerSignalByte = 0xAB;

// "lrNoChip" .. "lrBodyOptionError"; "lr?" for any other value.
const char* LinkResultName(int result);
