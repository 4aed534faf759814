// The rules behind the hidden engineering features of the main window: the
// access codes of the password dialog and the range keepers of the two
// pulse-width edits. The forms only wire them to their controls.
#pragma once

#include <string>
#include <string_view>

// What an access code opens.
enum class AccessLevel {
    None,     // a wrong code: nothing shown, no message
    Buttons,  // code 1: "Write data without check" and "Change to Option 2"
    Panel,    // code 2: the two buttons and the engineering panel
};

// The password edit holds eight positions; unfilled ones are blanks.
constexpr std::size_t kPasswordLength = 8;

// The edit's full text (blanks included) upper-cased, as PasswordText keeps it.
std::string PasswordFromEdit(std::string_view displayText);

// The level a PasswordText opens: it must equal a code in all eight characters.
AccessLevel AccessLevelOf(std::string_view passwordText);

// A pulse-width edit's range: an empty text becomes EmptyText, a number
// above Maximum becomes Maximum, zero becomes "1".
struct WidthRule {
    const char* Edit;        // the edit's control name
    const char* Initial;     // its text at start-up
    const char* EmptyText;
    int Maximum;
};

inline constexpr WidthRule kPulseWidthRule{"PulseWidth", "6", "5", 127};   // x 0.2 ms
inline constexpr WidthRule kEraseWidthRule{"EraseWidth", "180", "120", 255}; // x 0.1 ms

// One pass of the range keeper over the edit's text; the edit runs it again
// on every change it makes. Only digits are kept, so a sign or a letter
// never stands in the edit (and never reaches a command header).
std::string KeptWidthText(const WidthRule& rule, std::string_view text);

// The number a width text gives the command header, always within
// 1..maximum: text that holds no number gives `fallback`.
int WidthValue(std::string_view text, int maximum, int fallback);
