#include "FileTestSupport.h"

#include "workspace/OptionModel.h"
#include "files/ConfigFile.h"
#include "files/FileNames.h"
#include "files/SafeFile.h"

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// A workspace as the first show leaves it without a default configuration.
std::unique_ptr<Workspace> ShownWorkspace(const std::string& part = "31Q520")
{
    auto ws = FreshWorkspace(part);
    BlankIdWords(*ws);   // "Clear ID" of every show
    UpdateOption(*ws);
    return ws;
}

// A program file the configurations can name.
std::string WriteProgram(const TempDir& dir, const std::string& name)
{
    const std::string path = dir.File(name);
    WriteBytes(path, std::string(2048, '\0'));   // 1024 words of 0: a full 31Q520 image
    return path;
}

// The configuration a shown workspace saves, naming the program file.
std::string DefaultText(const std::string& program)
{
    return Replace(SaveCfg(*ShownWorkspace(), CfgSelection{0, "31Q520"}), "File name: \r\n", "File name: " + program + "\r\n");
}

std::string Legacy(const std::string& magic, const std::string& program, const std::string& tokens)
{
    std::string bytes = magic + program + '\x0F' + tokens + ' ';
    bytes += std::string("\x06\x1F", 2);   // option word 0
    for (int i = 0; i < 32; ++i) bytes.push_back(static_cast<char>(0x40 + i));
    return bytes + "ignored tail";
}

} // namespace

TEST(ConfigRoundTrip, SavedSettingsComeBackAndSaveToTheSameBytes)
{
    TempDir dir;
    const std::string program = WriteProgram(dir, "my program v1.cbn");   // a name with blanks
    auto ws = ShownWorkspace("72Q575");
    RecordingNotifier n;   // No to duplicating the program
    std::string bytes(8192, '\0');
    bytes[10] = '\x05';
    WriteBytes(program, bytes);
    ASSERT_TRUE(LoadDataFile(*ws, program, CfgSelection{2, "72Q575"}, n).Loaded);
    ws->SerialModeOn = true, ws->SerialStartAddress = 0x10, ws->SerialByteCount = 4, ws->SerialIncrement = 2;
    ws->SerialValue = {0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0};
    ws->SerialMode = ws->SerialOrder = 1;
    ws->OptionWords[0] = 0x06, ws->OptionWords[1] = 0x1F;
    for (int i = 0; i < 32; ++i) ws->IdWords[i] = static_cast<uint8_t>(i * 3);
    ws->KeepOption = ws->BypassIcCheck = ws->SaveEEData = true, ws->WriteEEinAuto = false;
    ws->CustomerName = "ACME Door Systems Ltd.", ws->CustomerProject = "Door lock", ws->OperatingFrequency = "4 MHz";
    ws->OperatingVoltageLow = "2.2 V", ws->OperatingVoltageHigh = "5.5 V", ws->OperatingCurrent = "1mA";
    ws->SleepCurrent = "1 uA";
    const CfgSelection selection{2, "72Q575"};
    ASSERT_TRUE(SaveConfigFile(*ws, dir.File("setup.cfg"), selection, n));
    const std::string saved = ReadBytes(dir.File("setup.cfg"));

    auto loaded = ShownWorkspace();
    const FileCommandResult r = LoadConfigFile(*loaded, dir.File("setup.cfg"), CfgSelection{0, "31Q520"}, n);
    ASSERT_TRUE(r.Loaded) << n.LastText();
    ASSERT_TRUE(r.Selection.has_value());
    EXPECT_EQ(loaded->ProgramMemory, ws->ProgramMemory);
    EXPECT_EQ(loaded->Status.SerialText, " 1234 5678");
    EXPECT_EQ(loaded->Status.ProgramChecksum, ws->Status.ProgramChecksum);

    // Device, port, file name and every setting and customer field come back; the program load ends serial mode.
    EXPECT_EQ(SaveCfg(*loaded, *r.Selection), Replace(saved, "Serial mode: 1 ", "Serial mode: 0 "));
}

TEST(ConfigReading, VersionDecidesOptionWordOneAndCustomerLines)
{
    auto ws = ShownWorkspace();
    ws->CustomerProject = "P";
    const std::string text = SaveCfg(*ws, CfgSelection{});
    struct Case {
        const char* Version;
        bool Word1;
        bool Customer;
    };
    for (const Case& c : {Case{"", false, false}, Case{"2.6", false, false}, Case{"2.70", true, false},
                          Case{"2.73", true, false}, Case{"2.74", true, true}, Case{"2.9", true, true}}) {
        const ConfigParse p = ParseCfg(Replace(text, "Version: 2.74", std::string("Version: ") + c.Version));
        ASSERT_TRUE(p.Ok) << c.Version << p.Message;
        EXPECT_EQ(p.Record.OptionWord1.has_value(), c.Word1) << c.Version;
        EXPECT_EQ(p.Record.Customer.has_value(), c.Customer) << c.Version;
    }
}

TEST(ConfigReading, OlderLayoutsAreRead)
{
    TempDir dir;
    const std::string program = WriteProgram(dir, "old.cbn");
    for (const char* magic : {"krv", "yeb"}) {
        SCOPED_TRACE(magic);
        WriteBytes(dir.File("old.cfg"),
                   Legacy(magic, program, "Com3 31Q520 a b c d e f g 17 1 1 5 2 0A0B 3 1 0"));
        auto ws = ShownWorkspace();
        ws->WriteEEinAuto = false;
        CfgSelection selection{0, "31Q520"};
        GuiActions actions;
        RecordingNotifier n;
        ASSERT_TRUE(LoadCfg(*ws, dir.File("old.cfg"), selection, n, actions)) << n.LastText();
        EXPECT_EQ(selection.PortIndex, 2);
        EXPECT_EQ(ws->ProgramFileName, program);
        EXPECT_EQ(ws->Status.PassCountText, "17");
        EXPECT_TRUE(ws->KeepOption && !ws->SerialModeOn);
        EXPECT_EQ(ws->SerialValue[0] + 256 * ws->SerialValue[1] + ws->SerialStartAddress * 65536, 0x50A0Bu);
        EXPECT_EQ(ws->OptionWords[1], 0x1F);
        EXPECT_EQ(ws->IdWords[31], 0x5F);
        EXPECT_TRUE(ws->WriteEEinAuto);
    }
}

// A message (or a silent refusal where the file is no configuration at all).
TEST(HostileConfig, EveryBadFileIsRefusedWithoutChangingAnything)
{
    TempDir dir;
    const std::string program = WriteProgram(dir, "p.cbn");
    const std::string good = DefaultText(program);
    const std::string self = dir.File("self.cfg");
    struct Case {
        const char* Name;
        std::string Bytes;
        std::string Message;   // empty: refused silently
    };
    const std::vector<Case> cases = {
        {"empty file", "", ""},
        {"unknown magic", "Hello world\r\n", ""},
        {"non-numeric flag", Replace(good, "Keep option: 0", "Keep option: x"), "'x' is not a valid integer value"},
        {"number past 32 bits", Replace(good, "Keep option: 0", "Keep option: 99999999999"),
         "'99999999999' is not a valid integer value"},
        {"port out of range", Replace(good, "COM port: Com1", "COM port: Com9"), "'Com9' is out of range"},
        {"byte count past the cells", Replace(good, "Serial mode: 0 0 1 00", "Serial mode: 0 0 9 00"),
         "'9' is out of range"},
        {"serial mode index", Replace(good, "00 1 0 0", "00 1 3 0"), "'3' is out of range"},
        {"serial value too short", Replace(good, "Serial mode: 0 0 1 00", "Serial mode: 0 0 2 00"),
         "'00' is not a valid integer value"},
        {"ID byte not hexadecimal", Replace(good, "ID code: 7F", "ID code: ZZ"), "'ZZ' is not a valid integer value"},
        {"line missing", Replace(good, "ID code:", "ID kode:"), "Can not find 'ID code:' !"},
        {"unknown device", Replace(good, "Device name: 31Q520", "Device name: 31q520"), ""},
        {"program file missing", Replace(good, program, dir.File("gone.chx")), "Can not find '" + dir.File("gone.chx") + "' !"},
        {"no program file", Replace(good, program, ""), "No data file name"},
        {"names itself", Replace(good, program, self), "File type incorrect!"},
        {"program refused", Replace(good, program, dir.File("short.obj")), "File size unmatch!"},
        {"pass count past its nine digits", Legacy("krv", program, "Com1 31Q520 a b c d e f g 9223372036854775807 0"),
         "'9223372036854775807' is not a valid integer value"},
        {"older layout cut short", Legacy("krv", program, "Com1 31Q520 a b c d e f g 0 0 0 0 1 00 1 0 0").substr(0, 80),
         "Config file format error!"},
    };
    WriteBytes(dir.File("short.obj"), std::string(100, '\0'));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(self, c.Bytes);
        auto ws = ShownWorkspace();
        ws->ProgramFileName = "/kept/name.chx";
        ws->SerialModeOn = true;
        const Snapshot before = TakeSnapshot(*ws);
        CfgSelection selection{4, "31Q520"};
        GuiActions actions;
        RecordingNotifier n;
        EXPECT_FALSE(LoadCfg(*ws, self, selection, n, actions));
        EXPECT_EQ(n.LastText(), c.Message);
        ExpectSameSnapshot(before, TakeSnapshot(*ws));
        EXPECT_EQ(selection.PortIndex, 4);
        EXPECT_EQ(selection.DeviceText, "31Q520");
    }
}

TEST(ConfigThroughLoadData, RefusedConfigurationResetsTheWorkspaceAndEndsTheCommand)
{
    TempDir dir;
    WriteBytes(dir.File("s.cfg"), Replace(DefaultText(dir.File("gone.cbn")), "Com1", "Com2"));
    auto ws = ShownWorkspace();
    ws->ProgramFileName = "/kept/name.chx";
    SetWord(*ws, 0, 0x0001);
    RecordingNotifier n;
    const FileCommandResult r = LoadDataFile(*ws, dir.File("s.cfg"), CfgSelection{0, "31Q520"}, n);
    EXPECT_EQ(n.Texts(), std::vector<std::string>{"Can not find '" + dir.File("gone.cbn") + "' !"});
    EXPECT_TRUE(r.Loaded);   // the command goes on to its refresh and closing steps
    EXPECT_FALSE(r.Selection.has_value());
    EXPECT_EQ(ws->ProgramFileName, "");
    EXPECT_EQ(WordAt(*ws, 0), 0x3FFFu);
    EXPECT_EQ(r.MemoryCaption.value_or(""), "Program Memory");
}

// The settings folder is made at the first close; one that cannot be made
// is reported.
TEST(DefaultConfig, WriteMakesTheSettingsFolderOrIsReported)
{
    TempDir dir;
    WriteBytes(dir.File("plain"), "");
    for (const bool possible : {true, false}) {
        auto ws = ShownWorkspace();
        ws->ConfigFolder = dir.File(possible ? "new/krv-writer" : "plain/krv-writer");
        RecordingNotifier n;
        EXPECT_EQ(SaveDefaultConfig(*ws, CfgSelection{}, n), possible);
        EXPECT_EQ(FileExists(DefaultConfigPath(ws->ConfigFolder)), possible);
        EXPECT_EQ(n.LastText(), possible ? "" : "File can't be saved!");
    }
}

// A configuration of a larger device than the selected one, naming a ".cbn"
// shorter than that device's memory: the words the file does not reach are
// the new device's blank words, whether loaded by the user or as "Default.cfg".
TEST(ConfigurationLoad, LargerDeviceWithShortRawImage)
{
    TempDir dir;
    const std::string program = dir.File("short.cbn");
    WriteBytes(program, std::string(6000, '\x01'));   // 3000 of the 4096 words of a 72Q575
    auto device = FreshWorkspace("72Q575");
    device->ProgramFileName = program;
    const std::string text = SaveCfg(*device, CfgSelection{0, "72Q575"});
    WriteBytes(dir.File("setup.cfg"), text);
    WriteBytes(DefaultConfigPath(dir.Path), text);
    for (const bool atStart : {false, true}) {
        SCOPED_TRACE(atStart ? "Default.cfg" : "Load Config File");
        auto ws = ShownWorkspace();
        ws->ConfigFolder = dir.Path;
        RecordingNotifier n;
        const FileCommandResult r = atStart ? LoadDefaultConfig(*ws, CfgSelection{0, "31Q520"}, n)
                                            : LoadConfigFile(*ws, dir.File("setup.cfg"), CfgSelection{0, "31Q520"}, n);
        EXPECT_TRUE(r.Loaded);
        EXPECT_EQ(n.Texts(), std::vector<std::string>{});
        EXPECT_EQ(ws->DeviceName, "72Q575");
        EXPECT_EQ(WordAt(*ws, 2999), 0x0101u);
        EXPECT_EQ(WordAt(*ws, 3000), 0x3FFFu);
        EXPECT_EQ(WordAt(*ws, 4095), 0x3FFFu);
    }
}
