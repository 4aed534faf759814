#include "editors/EngineeringPanel.h"
#include "link/CommandHeader.h"

#include <gtest/gtest.h>

namespace {

// The keeper runs again on every change it makes, as the edit does.
std::string Settle(const WidthRule& rule, std::string text)
{
    for (std::string kept; (kept = KeptWidthText(rule, text)) != text;) text = kept;
    return text;
}

}  // namespace

TEST(EngineeringPanel, AccessCodesMatchOnAllEightUpperCasedCharacters)
{
    const struct {
        const char* Edit;   // the masked edit's full text
        AccessLevel Level;
    } cases[] = {
        {"qen1987 ", AccessLevel::Buttons}, {"QEN1987 ", AccessLevel::Buttons}, {"QEN19870", AccessLevel::None},
        {"QEN1987", AccessLevel::None},     {"mxqrt5  ", AccessLevel::Panel},   {"MXQRT5 1", AccessLevel::None},
        {"        ", AccessLevel::None},
    };
    for (const auto& c : cases) EXPECT_EQ(AccessLevelOf(PasswordFromEdit(c.Edit)), c.Level) << c.Edit;
}

TEST(EngineeringPanel, WidthKeepersHoldTheirRangesAndDigitsOnly)
{
    const struct {
        const WidthRule& Rule;
        const char* Typed;
        const char* Kept;
    } cases[] = {
        {kPulseWidthRule, "", "5"},      {kPulseWidthRule, "200", "127"}, {kPulseWidthRule, "0", "1"},
        {kPulseWidthRule, "10", "10"},   {kPulseWidthRule, "-5", "5"},    {kPulseWidthRule, "-", "5"},
        {kPulseWidthRule, "99999999999999999999999", "127"},              {kEraseWidthRule, "", "120"},
        {kEraseWidthRule, "300", "255"}, {kEraseWidthRule, "00", "1"},    {kEraseWidthRule, "1x8", "18"},
    };
    for (const auto& c : cases) EXPECT_EQ(Settle(c.Rule, c.Typed), c.Kept) << c.Rule.Edit << " " << c.Typed;
}

TEST(EngineeringPanel, HeaderClampsWidthsWhateverTheEditHolds)
{
    Workspace ws;
    ws.DeviceFlags = 0x06;
    const struct {
        HeaderCommand Command;
        const char* Pulse;
        const char* Erase;
        uint8_t Byte7;
    } cases[] = {
        {hcOverWrite, "10", "180", 0x14}, {hcOverWrite, "-5", "180", 2},  {hcOverWrite, "500", "180", 254},
        {hcOverWrite, "x", "180", 12},    {hcErase, "6", "-1", 1},        {hcErase, "6", "999", 255},
        {hcErase, "6", "180", 180},
    };
    for (const auto& c : cases) {
        GetHeader(ws, areaProgram, c.Command, EngineeringValues{true, c.Erase, c.Pulse, 0});
        EXPECT_EQ(ws.CommandBuffer[7], c.Byte7) << c.Pulse << " " << c.Erase;
    }
}
