#include <gtest/gtest.h>

#include "link/AutoWriter.h"

namespace {

// Runs made until the repetition ends (the first run included), at most limit.
uint32_t RunsUntilEnd(Workspace& ws, uint32_t limit)
{
    uint32_t runs = 1;
    while (runs < limit && AutoWriterAfterRun(ws) == AutoWriterNext::Repeat) ++runs;
    return runs;
}

}  // namespace

TEST(AutoWriter, CountsAsFarAsTheCountGoesAndSetStartsAfresh)
{
    Workspace ws;
    for (uint32_t count : {1u, 3u, 255u, 256u, 300u, 70000u}) {
        ArmAutoWriter(ws, count, 0);
        EXPECT_EQ(RunsUntilEnd(ws, 100000), count);
    }
    // A stop ends the repetition after the current run; "Set" forgets it.
    ArmAutoWriter(ws, 0, 0);
    EXPECT_EQ(RunsUntilEnd(ws, 50), 50u) << "count 0 has no limit";
    ws.AutoWriterStop = true;
    EXPECT_EQ(AutoWriterAfterRun(ws), AutoWriterNext::End);
    ArmAutoWriter(ws, 2, 20000);
    EXPECT_FALSE(ws.AutoWriterStop);
    EXPECT_EQ(ws.AutoWriterDelay, 10000);
    EXPECT_EQ(RunsUntilEnd(ws, 10), 2u);
}

TEST(AutoWriter, EditsArePaddedAndKeptInRange)
{
    const struct {
        std::string (*Rule)(const std::string&);
        const char* Text;
        const char* Expected;
    } cases[] = {
        {NormaliseWriterCount, "12", "0000000012"},
        {NormaliseWriterCount, "9999999999", "4294967295"},
        {NormaliseWriterCount, "4294967295", "4294967295"},
        {NormaliseWriterCount, "4294967296", "4294967295"},
        {NormaliseWriterCount, "", "0000000000"},
        {NormaliseDelayTime, "7", "00007"},
        {NormaliseDelayTime, "20000", "10000"},
        {NormaliseDelayTime, "10000", "10000"},
        {NormaliseDelayTime, "99999", "10000"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.Rule(c.Text), c.Expected) << c.Text;
    EXPECT_EQ(WriterCountValue("4294967295"), 4294967295u);
    EXPECT_EQ(DelayTimeValue("00250"), 250);
}
