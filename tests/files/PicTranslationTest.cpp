#include "FileTestSupport.h"

#include "files/PicTranslation.h"

namespace {

struct Sample {
    uint32_t Pic;
    uint32_t Device;
};

const std::vector<Sample> k12BitSamples = {
    {0xFFF, 0x36FF}, {0xA05, 0x3205}, {0x5E3, 0x0B83}, {0x1E5, 0x1B85}, {0x006, 0x1006}, {0x001, 0x0001},
};
const std::vector<Sample> k14BitSamples = {
    {0x3FFF, 0x35FF}, {0x2805, 0x1805}, {0x0064, 0x200A}, {0x00A5, 0x2125}, {0x1783, 0x0383},
};

std::string Words(const std::vector<Sample>& samples)
{
    std::string bytes;
    for (const Sample& s : samples) {
        bytes.push_back(static_cast<char>(s.Pic & 0xFF));
        bytes.push_back(static_cast<char>(s.Pic >> 8));
    }
    return bytes;
}

} // namespace

// A full ".obj" image (erased words 0xFFF / 0x3FFF fill it) and a short ".hex"
// (the rest stays blank), for both PIC word widths.
TEST(PicFiles, WordsAreTranslatedByFamily)
{
    TempDir dir;
    for (uint32_t family : {1u, 2u}) {
        const auto& samples = family == 1 ? k12BitSamples : k14BitSamples;
        std::string words = Words(samples);
        WriteBytes(dir.File("p.hex"), Record(0, std::vector<uint8_t>(words.begin(), words.end())) + ":00000001FF\r\n");
        while (words.size() < 2048) words += family == 1 ? std::string("\xFF\x0F", 2) : std::string("\xFF\x3F", 2);
        WriteBytes(dir.File("p.obj"), words);
        for (const bool hex : {false, true}) {
            SCOPED_TRACE(testing::Message() << "family " << family << (hex ? " .hex" : " .obj"));
            auto ws = FreshWorkspace("31Q520");   // 1024 words
            ws->DeviceFamily = family;
            RecordingNotifier n;   // answers No to the duplication question
            ASSERT_TRUE(Load(*ws, dir.File(hex ? "p.hex" : "p.obj"), n).Loaded);
            EXPECT_EQ(n.Texts(), hex ? std::vector<std::string>{"Code size is less than half of ROM size. Duplicate the program ?"}
                                     : std::vector<std::string>{});
            for (std::size_t w = 0; w < samples.size(); ++w) EXPECT_EQ(WordAt(*ws, w), samples[w].Device) << w;
            EXPECT_EQ(WordAt(*ws, 1023), hex ? 0x3FFFu : samples[0].Device);
        }
    }
}

TEST(PicHexFile, DataInTheGapIsDroppedAndNoDuplicationOffered)
{
    TempDir dir;
    auto ws = FreshWorkspace("31Q520");   // family 2
    WriteBytes(dir.File("p.hex"), Record(0, {0x64, 0x00}) + Record(0x4000, {0x12, 0x34}) +
                                      Record(0x4200, {0x99, 0x00}) + ":00000001FF\r\n");
    RecordingNotifier n;
    ASSERT_TRUE(Load(*ws, dir.File("p.hex"), n).Loaded);
    EXPECT_TRUE(n.Prompts.empty());
    EXPECT_EQ(WordAt(*ws, 0), 0x200Au);
    EXPECT_EQ(ws->EepromBuffer[0], 0x99);
    EXPECT_EQ(ws->FileBytesRead, 0x4001);
}
