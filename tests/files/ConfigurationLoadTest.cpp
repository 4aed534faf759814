#include "FileTestSupport.h"
#include "RecordingNotifier.h"

#include "app/OptionModel.h"
#include "files/ConfigFile.h"
#include "files/FileCommands.h"
#include "files/FileNames.h"

namespace {

// A workspace as the first show leaves it, on a small device.
std::unique_ptr<Workspace> ShownWorkspace()
{
    auto ws = FreshWorkspace("31Q520");
    BlankIdWords(*ws);
    UpdateOption(*ws);
    return ws;
}

// A configuration of the given device naming the given program file.
std::string ConfigText(const std::string& device, const std::string& program, const std::string& customer = "")
{
    auto ws = FreshWorkspace(device);
    ws->ProgramFileName = program;
    ws->CustomerName = customer;
    return SaveCfg(*ws, CfgSelection{0, device});
}

} // namespace

// A configuration of a larger device than the selected one, naming a ".cbn"
// shorter than that device's memory: the words the file does not reach are
// the new device's blank words, whether the file is loaded by the user or as
// "Default.cfg" at start-up.
TEST(ConfigurationLoad, LargerDeviceWithShortRawImage)
{
    TempDir dir;
    const std::string program = dir.File("short.cbn");
    WriteBytes(program, std::string(6000, '\x01'));   // 3000 of the 4096 words of a 72Q575
    WriteBytes(dir.File("setup.cfg"), ConfigText("72Q575", program));
    WriteBytes(DefaultConfigPath(dir.Path), ConfigText("72Q575", program));
    using Loader = FileCommandResult (*)(Workspace&, const std::string&, RecordingNotifier&);
    const std::vector<std::pair<const char*, Loader>> loaders = {
        {"Load Config File", [](Workspace& ws, const std::string& d, RecordingNotifier& n) {
             return LoadConfigFile(ws, d + "/setup.cfg", CfgSelection{0, "31Q520"}, n);
         }},
        {"Default.cfg", [](Workspace& ws, const std::string& d, RecordingNotifier& n) {
             ws.StartDirectory = d;
             return LoadDefaultConfig(ws, CfgSelection{0, "31Q520"}, n);
         }},
    };
    for (const auto& [name, load] : loaders) {
        SCOPED_TRACE(name);
        auto ws = ShownWorkspace();
        RecordingNotifier n;
        const FileCommandResult r = load(*ws, dir.Path, n);
        EXPECT_TRUE(r.Loaded);
        EXPECT_EQ(n.Texts(), std::vector<std::string>{});
        EXPECT_EQ(ws->DeviceName, "72Q575");
        EXPECT_EQ(WordAt(*ws, 0), 0x0101u);
        EXPECT_EQ(WordAt(*ws, 2999), 0x0101u);
        EXPECT_EQ(WordAt(*ws, 3000), 0x3FFFu);
        EXPECT_EQ(WordAt(*ws, 4095), 0x3FFFu);
    }
}

// The customer's name is saved with the rest of the sheet's fields.
TEST(ConfigurationLoad, CustomerNameComesBack)
{
    TempDir dir;
    const std::string program = dir.File("p.cbn");
    WriteBytes(program, std::string(2048, '\0'));
    WriteBytes(dir.File("setup.cfg"), ConfigText("31Q520", program, "ACME Door Systems Ltd."));
    auto ws = ShownWorkspace();
    RecordingNotifier n;
    ASSERT_TRUE(LoadConfigFile(*ws, dir.File("setup.cfg"), CfgSelection{0, "31Q520"}, n).Loaded) << n.LastText();
    EXPECT_EQ(ws->CustomerName, "ACME Door Systems Ltd.");
}
