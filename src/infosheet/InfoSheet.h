// The customer information sheet without a window: the data the dialog
// gathers, the opening checks, the required fields, the text file and the
// layout of the printed page and the picture. The forms fill InfoSheetData
// from their controls and draw the SheetDrawing that LayOutSheet makes.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class Notifier;
struct Workspace;

// One option item of the sheet: its caption, whether the caption shows, and
// the chosen setting.
struct InfoOptionRow {
    std::string Caption;
    bool Visible = false;
    std::string Value;
};

// Everything the sheet shows, as the dialog holds it (8-bit text).
struct InfoSheetData {
    std::string Date;                   // today, in the system's short format
    std::string DeviceName;
    std::string DataFileName;
    std::string CustomerName;
    std::string CustomerProject;
    std::string CodeNo;
    std::string PartNo;
    // In sheet order: option items 1 to 5, 7 to 13, then security.
    std::array<InfoOptionRow, 13> Options;
    std::string OptionValue;
    std::string Checksum;
    std::string ChecksumWithOpt;
    bool SerialEnabled = false;
    std::string SerialStartAddress;
    std::string Frequency;
    std::string VoltageLow;
    std::string VoltageHigh;
    std::string Current;
    std::string SleepCurrent;
    std::string VersionText;
};

// Blanks put in front of text until it is width characters long.
std::string AddSpace(const std::string& text, std::size_t width);
// "-" appended to text until it is width characters long.
std::string AppendDash(const std::string& text, std::size_t width);

// The file-name part of a program file's path (behind its last "\" or "/").
std::string DataFileNameOf(const std::string& programFileName);
// The name proposed by the save dialogs: the data file name up to its first
// "."; empty when it holds none.
std::string ProposedSheetName(const std::string& dataFileName);

// The opener's checks of the workspace, in order; the first that fails is
// reported and false returned. securityValue is the main window's security
// setting ("Enable" passes without a question).
bool InfoSheetMayOpen(const Workspace& ws, const std::string& securityValue, Notifier& notifier);

// The message of the first required field that is empty; empty when every
// required field holds something.
std::string MissingFieldMessage(const InfoSheetData& data);

// The start-address edit's key filter: the character to insert, 0 to drop
// the key. length is what the edit already holds.
char FilterStartAddressKey(char key, std::size_t length);

// The sheet as text: CR LF after every line.
std::string InfoSheetText(const InfoSheetData& data);

// Save of the text file after its dialog returned path and filterIndex.
// True only when the file was written; a refused replace, a wrong choice or
// a failed write leave any old file as it was (the failures are reported).
bool SaveInfoSheetText(const std::string& path, int filterIndex, const InfoSheetData& data,
                       Notifier& notifier);

// Save of the picture, already encoded, after its dialog returned path.
// True only when the file was written; "No" to replacing leaves the old file.
bool SaveInfoSheetPicture(const std::string& path, const std::string& jpegBytes, Notifier& notifier);

// --- the drawn sheet --------------------------------------------------------

enum class SheetPath { Printer, Picture };

// One text of the page, its top-left corner in layout units.
struct SheetLine {
    int X = 0;
    int Y = 0;
    std::string Text;
};

// The page of one path. Layout units are the picture's pixels on the picture
// path and 600-dpi dots on the printer path; the header picture and the title
// are centred on the page width by whoever draws them.
struct SheetDrawing {
    int HeaderTop = 0;
    int TitleTop = 0;
    int TitlePoints = 16;
    int BodyPoints = 10;
    std::string Title;
    std::vector<SheetLine> Lines;       // body, foot and version, in order
};

constexpr int kPrinterLayoutDpi = 600;
constexpr int kPictureWidth = 740;
constexpr int kPictureHeight = 1046;

SheetDrawing LayOutSheet(const InfoSheetData& data, SheetPath path);
