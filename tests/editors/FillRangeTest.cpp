#include "editors/FillRange.h"

#include <gtest/gtest.h>

// Limits of a 1K-word program memory and of 128 EEPROM bytes; the first failing check wins.
TEST(FillRange, RequestsOutsideTheLimitsNameTheirFirstBadField)
{
    const struct {
        int32_t MaxAddress, MaxValue, Start, End, Value;
        const char* Message;
    } cases[] = {
        {0x3FF, 0x3FFF, 0, 0x3FF, 0x3FFF, ""},
        {0x3FF, 0x3FFF, 0x400, 0x3FF, 0, "Start address is a invalid value!"},
        {0x3FF, 0x3FFF, 0, 0x400, 0, "End address is a invalid value!"},
        {0x3FF, 0x3FFF, 0x10, 0x5, 0, "Start address is a invalid value!"},
        {0x3FF, 0x3FFF, 0, 3, 0x4000, "Data is a invalid value!"},
        {0x7F, 0xFF, 0, 0x7F, 0xFF, ""},
        {0x7F, 0xFF, 0, 0x80, 0, "End address is a invalid value!"},
        {0x7F, 0xFF, 0, 0x10, 0x100, "Data is a invalid value!"},
        {0x7F, 0xFF, 0x90, 0x90, 0x100, "Start address is a invalid value!"},
        {0x7F, 0xFF, 0x10, 0x90, 0x100, "End address is a invalid value!"},
    };
    for (const auto& c : cases) {
        Workspace ws;
        ws.FillMaxAddress = c.MaxAddress;
        ws.FillMaxValue = c.MaxValue;
        EXPECT_EQ(CheckFillRequest(ws, FillRequest{c.Start, c.End, c.Value}), c.Message) << c.Start << " " << c.End;
    }
}
