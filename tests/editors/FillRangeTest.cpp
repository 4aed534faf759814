#include "editors/FillRange.h"

#include <gtest/gtest.h>

namespace {

struct Limits {
    Workspace Ws;
    Limits(int32_t maxAddress, int32_t maxValue)
    {
        Ws.FillMaxAddress = maxAddress;
        Ws.FillMaxValue = maxValue;
    }
    std::string Check(int32_t start, int32_t end, int32_t value) const
    {
        return CheckFillRequest(Ws, FillRequest{start, end, value});
    }
};

} // namespace

TEST(FillRange, ProgramMemoryLimitsOfA1kWordDevice)
{
    const Limits limits(0x3FF, 0x3FFF);
    EXPECT_EQ(limits.Check(0, 0x3FF, 0x3FFF), "");
    EXPECT_EQ(limits.Check(0x400, 0x3FF, 0), "Start address is a invalid value!");
    EXPECT_EQ(limits.Check(0, 0x400, 0), "End address is a invalid value!");
    EXPECT_EQ(limits.Check(0x10, 0x5, 0), "Start address is a invalid value!");
    EXPECT_EQ(limits.Check(0, 3, 0x4000), "Data is a invalid value!");
}

TEST(FillRange, EepromLimitsOf128Bytes)
{
    const Limits limits(0x7F, 0xFF);
    EXPECT_EQ(limits.Check(0, 0x7F, 0xFF), "");
    EXPECT_EQ(limits.Check(0, 0x80, 0), "End address is a invalid value!");
    EXPECT_EQ(limits.Check(0, 0x10, 0x100), "Data is a invalid value!");
}

TEST(FillRange, FirstFailingCheckWins)
{
    const Limits limits(0x7F, 0xFF);
    EXPECT_EQ(limits.Check(0x90, 0x90, 0x100), "Start address is a invalid value!");
    EXPECT_EQ(limits.Check(0x10, 0x90, 0x100), "End address is a invalid value!");
}
