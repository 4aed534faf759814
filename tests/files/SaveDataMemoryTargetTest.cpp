#include "FileTestSupport.h"
#include "RecordingNotifier.h"

#include "files/FileCommands.h"
#include "files/ProgramFile.h"

#include <algorithm>
#include <filesystem>

namespace {

struct TargetCase {
    const char* Typed;      // the name as the save dialog returns it
    int FilterIndex;        // 1 ".chx", 2 ".cbn"
    const char* SavedAs;
    SaveFormat Format;
};

} // namespace

// The file's extension and its format always agree, so the loader, which
// goes by the extension, reads every saved file back as it was.
TEST(SaveDataMemoryTarget, ExtensionAndFormatAgreeAndTheFileLoadsBack)
{
    const std::vector<TargetCase> cases = {
        {"a", 1, "a.chx", SaveFormat::Chx},
        {"b", 2, "b.cbn", SaveFormat::Cbn},
        {"c.chx", 2, "c.chx", SaveFormat::Chx},
        {"d.cbn", 1, "d.cbn", SaveFormat::Cbn},
        {"e.CHX", 2, "e.CHX", SaveFormat::Chx},
        {"f.txt", 1, "f.txt.chx", SaveFormat::Chx},
        {"g.hex", 2, "g.hex.cbn", SaveFormat::Cbn},
        {"v1.dir/h", 1, "v1.dir/h.chx", SaveFormat::Chx},
    };
    TempDir dir;
    std::filesystem::create_directory(dir.File("v1.dir"));
    auto original = FreshWorkspace("72Q574");
    for (uint32_t w = 0; w < original->RomBytes / 2; ++w) SetWord(*original, w, (w * 0x1D3 + 5) & 0x3FFF);
    for (uint32_t i = 0; i < original->EepromSize; ++i) original->EepromBuffer[i] = static_cast<uint8_t>(i * 3);
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        const SaveTarget target = SaveTargetFor(dir.File(c.Typed), c.FilterIndex);
        EXPECT_EQ(target.Path, dir.File(c.SavedAs));
        EXPECT_EQ(target.Format, c.Format);

        RecordingNotifier n;
        ASSERT_TRUE(SaveProgramMemory(*original, target.Path, target.Format, n));
        auto loaded = FreshWorkspace("72Q574");
        EXPECT_TRUE(LoadDataFile(*loaded, target.Path, CfgSelection{0, "72Q574"}, n).Loaded);
        EXPECT_EQ(n.Texts(), std::vector<std::string>{});
        EXPECT_TRUE(std::equal(original->ProgramMemory.begin(), original->ProgramMemory.begin() + original->RomBytes,
                               loaded->ProgramMemory.begin()));
        EXPECT_TRUE(loaded->EepromBuffer == original->EepromBuffer);
    }
}
