#include "infosheet/InfoSheet.h"

#include "workspace/Workspace.h"
#include "files/SafeFile.h"
#include "platform/Notifier.h"

#include <algorithm>

namespace {

constexpr const char* kCannotSave = "File can't be saved!";

// What the two paths of the drawn sheet differ in; everything else is shared.
struct PathLayout {
    SheetPath Path;
    int HeaderTop;
    int TitleTop;
    int BodyTop;
    int RowStep;
    int SectionX;           // numbered section lines
    int IndentX;            // the lines under a section
    int FootX;              // signature block
    int PartNoAdvance;      // rows between "8. Part no" and the foot
    int LastFootAdvance;    // rows after the last foot line
    bool SerialAddressIndented;
    int VersionX;
    int VersionY;           // -1: on the row after the foot
};

constexpr PathLayout kPathLayouts[] = {
    {SheetPath::Printer, 300, 900, 1100, 120, 500, 700, 400, 5, 0, true, 3700, 6500},
    {SheetPath::Picture, 50, 160, 180, 20, 50, 80, 50, 3, 2, false, 600, -1},
};

// "Option Value" stands at most on row 18; the checksum section always on 19.
constexpr int kChecksumRow = 19;

const char* const kFootLines[] = {
    "Salesman: _________________ Date: ________,    FAE: _________________ Date: ________",
    "  Leader: _________________ Date: ________, Leader: _________________ Date: ________",
};

const PathLayout& LayoutOf(SheetPath path)
{
    return *std::find_if(std::begin(kPathLayouts), std::end(kPathLayouts),
                         [path](const PathLayout& l) { return l.Path == path; });
}

// The printed sheet shows a placeholder where the user left a field empty.
std::string OrPlaceholder(const std::string& text) { return text.empty() ? "______" : text; }

bool AllWordsBlank(const Workspace& ws)
{
    const uint32_t end = std::min<uint32_t>(ws.RomBytes, kProgramMemorySize) & ~1u;
    for (uint32_t i = 0; i < end; i += 2) {
        const bool blank = (ws.ProgramMemory[i] & ws.BlankMaskLow) == ws.BlankMaskLow &&
                           (ws.ProgramMemory[i + 1] & ws.BlankMaskHigh) == ws.BlankMaskHigh;
        if (!blank) return false;
    }
    return true;
}

} // namespace

std::string AddSpace(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string AppendDash(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), '-');
}

std::string DataFileNameOf(const std::string& programFileName)
{
    const std::size_t cut = programFileName.find_last_of("\\/");
    return cut == std::string::npos ? programFileName : programFileName.substr(cut + 1);
}

std::string ProposedSheetName(const std::string& dataFileName)
{
    const std::size_t dot = dataFileName.find('.');
    return dot == std::string::npos ? std::string() : dataFileName.substr(0, dot);
}

bool InfoSheetMayOpen(const Workspace& ws, const std::string& securityValue, Notifier& notifier)
{
    if (AllWordsBlank(ws)) {
        notifier.Message("Data memory are blank or error");
        return false;
    }
    static const char* const kOptionMessages[] = {nullptr, "Some options are blank!",
                                                  "Some options are error!",
                                                  "Some options are blank or error!"};
    if (ws.OptionStatus >= 1 && ws.OptionStatus <= 3) {
        notifier.Message(kOptionMessages[ws.OptionStatus]);
        return false;
    }
    if (securityValue != "Enable" &&
        notifier.Question("Security is not enabled, continue?", QuestionButtons::YesNo) != Answer::Yes)
        return false;
    return true;
}

std::string MissingFieldMessage(const InfoSheetData& d)
{
    const struct {
        const std::string& Text;
        bool Required;
        const char* Message;
    } fields[] = {
        {d.CustomerName, true, "Please enter Customer's Name"},
        {d.CustomerProject, true, "Please enter Customer's Project Name"},
        {d.PartNo, true, "Please enter Device Part No."},
        {d.CodeNo, true, "Please enter Code No."},
        {d.SerialStartAddress, d.SerialEnabled, "Please enter serial no. start address"},
    };
    for (const auto& f : fields)
        if (f.Required && f.Text.empty()) return f.Message;
    return {};
}

char FilterStartAddressKey(char key, std::size_t length)
{
    if (key == 8) return key;
    if (length >= 4) return 0;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'F')) return key;
    if (key >= 'a' && key <= 'f') return static_cast<char>(key - 'a' + 'A');
    return 0;
}

std::string InfoSheetText(const InfoSheetData& d)
{
    std::string out;
    auto line = [&out](const std::string& label, const std::string& value) {
        out += AddSpace(label, 24) + " " + value + "\r\n";
    };
    line("Date:", d.Date);
    line("Device name:", d.DeviceName);
    line("File name:", d.CodeNo + "-" + d.DataFileName);
    line("Customer's name:", d.CustomerName);
    line("Customer's project name:", d.CustomerProject);
    for (const InfoOptionRow& row : d.Options)
        if (row.Visible) line(row.Caption, row.Value);
    line("Option value:", d.OptionValue);
    line("Serial no mode:", d.SerialEnabled ? "Enable" : "Disable");
    if (d.SerialEnabled) line("Serial no start address:", d.SerialStartAddress + "H");
    line("Memory checksum:", d.Checksum + "H");
    line("Operating frequency:", d.Frequency + " Hz");
    line("Operating voltage:", d.VoltageLow + " ~ " + d.VoltageHigh + " V");
    line("Operating current:", d.Current + " mA");
    line("Sleep current:", d.SleepCurrent + " uA");
    line("Part no :", d.PartNo + "-" + d.CodeNo);
    return out;
}

namespace {

// The replace question and the write shared by the text and the picture.
bool WriteAsked(const std::string& path, const std::string& bytes, const char* replaceQuestion,
                Notifier& notifier)
{
    if (FileExists(path) &&
        notifier.Question(replaceQuestion, QuestionButtons::YesNo) != Answer::Yes)
        return false;
    if (WriteFileReplacing(path, bytes)) return true;
    notifier.Message(kCannotSave);
    return false;
}

} // namespace

bool SaveInfoSheetText(const std::string& path, int filterIndex, const InfoSheetData& data,
                       Notifier& notifier)
{
    if (filterIndex != 1 || path.empty()) {
        notifier.Message(kCannotSave);
        return false;
    }
    return WriteAsked(path, InfoSheetText(data), "File existed, overwrite it?", notifier);
}

bool SaveInfoSheetPicture(const std::string& path, const std::string& jpegBytes, Notifier& notifier)
{
    return WriteAsked(path, jpegBytes, "File Exists, Replace?", notifier);
}

SheetDrawing LayOutSheet(const InfoSheetData& d, SheetPath path)
{
    const PathLayout& l = LayoutOf(path);
    SheetDrawing out;
    out.HeaderTop = l.HeaderTop;
    out.TitleTop = l.TitleTop;
    out.Title = "Customer Information Sheet for " + d.DeviceName;

    int row = 1;
    auto put = [&](int x, std::string text, int advance) {
        out.Lines.push_back({x, l.BodyTop + l.RowStep * row, std::move(text)});
        row += advance;
    };
    const int s = l.SectionX, i = l.IndentX, f = l.FootX;
    put(s, AppendDash("1. Customer's Name", 30) + " " + d.CustomerName, 1);
    put(s, AppendDash("2. Customer's Project Name", 30) + " " + d.CustomerProject, 1);
    put(s, AppendDash("3. File Name", 30) + " " + d.CodeNo + "-" + d.DataFileName, 1);
    put(s, "4. Options : ", 1);
    for (const InfoOptionRow& option : d.Options)
        if (option.Visible) put(i, AppendDash(option.Caption, 30) + " " + option.Value, 1);
    put(i, AppendDash("Option Value", 40) + " " + d.OptionValue, 0);
    row = kChecksumRow;
    put(s, "5. Checksum : ", 1);
    put(i, AppendDash("Memory ", 40) + " " + d.Checksum + "H", 1);
    put(i, AppendDash("with Options and EEPROM (if existed) ", 40) + " " + d.ChecksumWithOpt + "H", 1);
    if (d.SerialEnabled) {
        put(s, "6. Serial Mode ------------------- Enable", 1);
        put(l.SerialAddressIndented ? i : s,
            AppendDash("Serial no start address : ", 30) + d.SerialStartAddress, 1);
    } else {
        put(s, "6. Serial Mode ------------------- Disable", 1);
    }
    put(s, "7. Operating condistions : ", 1);
    put(i, AppendDash("Frequency ", 30) + " " + OrPlaceholder(d.Frequency) + " Hz", 1);
    put(i, AppendDash("Operating Voltage ", 30) + " " + OrPlaceholder(d.VoltageLow) + " ~ " +
               OrPlaceholder(d.VoltageHigh) + " V", 1);
    put(i, AppendDash("Operating current ", 30) + " " + OrPlaceholder(d.Current) + " mA", 1);
    put(i, AppendDash("Sleep current ", 30) + " " + OrPlaceholder(d.SleepCurrent) + " uA", 1);
    put(s, "8. Part no : " + d.PartNo + "-" + d.CodeNo, l.PartNoAdvance);
    put(f, "Customer: _________________ Date: " + d.Date, 2);
    for (const char* foot : kFootLines) put(f, foot, 2);
    put(f, " Samples: __ programmed by tester or", 1);
    put(f, "          __ programmed by writer (__ 1st order QTY >= 10K ea, approved: __________)",
        l.LastFootAdvance);
    const std::string version = "Version : " + d.VersionText;
    if (l.VersionY < 0)
        put(l.VersionX, version, 0);
    else
        out.Lines.push_back({l.VersionX, l.VersionY, version});
    return out;
}
