#include "Requests.h"

namespace {

constexpr RequestRow kRequestTable[] = {
    {0x55, "update finish answer", ServeFinishAnswer},
    {0xA0, "writer-type query", ServeWriterType},
    {0xA1, "command header", ServeCommandHeader},
    {0xA3, "serial set", ServeSerialSet},
    {0xA4, "update-mode request", ServeUpdateModeRequest},
    {0xA5, "update frame", ServeUpdateFrame},
    {0xA9, "device record", ServeDeviceRecord},
    {0xAA, "switch query", ServeSwitchQuery},
    {0xAB, "handler signal", ServeHandlerSignal},
    {0xAD, "identification request", ServeWriterId},
    {0x00, nullptr, nullptr},
};

}  // namespace

const RequestRow* FindRequest(uint8_t firstByte)
{
    for (const RequestRow* row = kRequestTable; row->Name; ++row)
        if (row->FirstByte == firstByte) return row;
    return nullptr;
}
