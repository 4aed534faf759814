// The simulated writer's option-area switches: a preset area, the used
// select bits of the second option set, and the program's switches.
#include "WriterBox.h"
#include "link/SecondOption.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

namespace {

std::string WriterBoxProgram()
{
    return (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "writer-box").string();
}

int ExitCodeOf(const std::string& arguments)
{
    const std::string command = WriterBoxProgram() + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(OptionAreaSwitches, PresetTakesHexBytesAndRefusesAnythingElse)
{
    SimulatedChip chip;
    EXPECT_TRUE(PresetOptionArea(chip, "10,2a 3F"));
    EXPECT_EQ(chip.OptionArea[0], 0x10);
    EXPECT_EQ(chip.OptionArea[1], 0x2A);
    EXPECT_EQ(chip.OptionArea[2], 0x3F);
    EXPECT_EQ(chip.OptionArea[3], chip.BlankHigh);
    for (const char* bad : {"1G", "123", "10;11"}) EXPECT_FALSE(PresetOptionArea(chip, bad)) << bad;
    EXPECT_EQ(ExitCodeOf("--option-area zz"), 2);
}

TEST(OptionAreaSwitches, UsedSelectBitsAreTheOnesTheDialogChoosesFirst)
{
    SimulatedChip chip;
    OptionWordBytes words10To13{};
    std::copy(chip.OptionArea.begin() + 32, chip.OptionArea.end(), words10To13.begin());
    EXPECT_FALSE(SelectBitsUsed(OptionLayout{}, SelectBits{}, words10To13));
    MarkOption2Used(chip);
    std::copy(chip.OptionArea.begin() + 32, chip.OptionArea.end(), words10To13.begin());
    EXPECT_TRUE(SelectBitsUsed(OptionLayout{}, SelectBits{}, words10To13));
    EXPECT_EQ(chip.OptionArea[0x12 * 2], chip.BlankLow);   // only the pair changed
}
