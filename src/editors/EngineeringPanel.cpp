#include "editors/EngineeringPanel.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace {

struct AccessCode {
    const char* Text;   // eight characters, upper case
    AccessLevel Level;
};

constexpr std::array<AccessCode, 2> kAccessCodes{{
    {"QEN1987 ", AccessLevel::Buttons},
    {"MXQRT5  ", AccessLevel::Panel},
}};

}  // namespace

std::string PasswordFromEdit(std::string_view displayText)
{
    std::string text(displayText);
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

AccessLevel AccessLevelOf(std::string_view passwordText)
{
    for (const AccessCode& code : kAccessCodes)
        if (passwordText == code.Text) return code.Level;
    return AccessLevel::None;
}

std::string KeptWidthText(const WidthRule& rule, std::string_view text)
{
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    if (digits.empty()) return rule.EmptyText;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (ec != std::errc() || value > uint64_t(rule.Maximum)) return std::to_string(rule.Maximum);
    if (value == 0) return "1";
    return digits;
}

int WidthValue(std::string_view text, int maximum, int fallback)
{
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) return text.starts_with('-') ? 1 : maximum;
    if (ec != std::errc() || end == text.data()) return std::clamp(fallback, 1, maximum);
    return int(std::clamp<int64_t>(value, 1, maximum));
}
