// The request dispatch table of the simulated writer: one row per first
// byte of a request, with its name and the function that serves it.
//
// To add a request:
//   1. write a server `void ServeSomething(RequestContext& request)` in a
//      .cpp file of this folder (a new file for a new group of frames).
//      request.Bytes()[0] is the first byte; Gather(n) or Next() reads the
//      rest; Locked([&](WriterState& s) { ... }) reads or changes the chip,
//      settings and faults; Reply() answers; Record(name) logs the request;
//   2. declare it below;
//   3. add a row {first byte, "name", ServeSomething} to kRequestTable in
//      RequestTable.cpp, before the terminator row.
// Bytes whose first byte has no row are logged as "unknown" and get no reply.
#pragma once

#include <cstdint>
#include <vector>

class RequestContext;

using RequestServer = void (*)(RequestContext&);

struct RequestRow {
    uint8_t FirstByte;
    const char* Name;       // nullptr ends the table
    RequestServer Serve;
};

// The row for a first byte, or nullptr.
const RequestRow* FindRequest(uint8_t firstByte);

// Servers of the basic link protocol (Requests.cpp).
void ServeWriterType(RequestContext& request);      // 0xA0
void ServeWriterId(RequestContext& request);        // 0xAD
void ServeSwitchQuery(RequestContext& request);     // 0xAA
void ServeHandlerSignal(RequestContext& request);   // 0xAB xx
void ServeCommandHeader(RequestContext& request);   // 0xA1 + 9 bytes, then data or a data stream
void ServeDeviceRecord(RequestContext& request);    // 0xA9 + 31 bytes: one device of the writer's list

// Serial-number set frame 0xA3 0x00 + 23 bytes, and its read-back request
// 0xA3 0x01 (SerialSetRequests.cpp).
void ServeSerialSet(RequestContext& request);        // 0xA3 xx

// Firmware update: 0xA4 switches to the update loader; 0xA5 + 6 bytes is a
// control frame or a block header (FirmwareRequests.cpp).
void ServeUpdateModeRequest(RequestContext& request);   // 0xA4
void ServeUpdateFrame(RequestContext& request);         // 0xA5 xx xx xx xx mode sub

// The option area (area 5) travels in command headers; its read-back fault
// is applied to a read reply before it is sent (OptionAreaRequests.cpp).
struct WriterState;
void CorruptOptionAreaRead(const WriterState& state, int area, std::vector<uint8_t>& data);
void ServeFinishAnswer(RequestContext& request);        // 0x55 after the finish frame's 0x05
