#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "LinkedWriter.h"
#include "TestSupport.h"
#include "iap/FirmwareUpdate.h"

namespace {

struct Recorder : FirmwareReporter {
    void Status(const std::string& text) override
    {
        Statuses.push_back(text);
        if (OnStatus) OnStatus(text);
    }
    void Gauge(int percent) override { Gauges.push_back(percent); }
    std::vector<std::string> Statuses;
    std::vector<int> Gauges;
    std::function<void(const std::string&)> OnStatus;
};

FirmwareImage MakeImage(std::size_t size)
{
    FirmwareImage image;
    image.Data.resize(size);
    for (std::size_t i = 0; i < size; ++i) image.Data[i] = uint8_t(i * 7 + (i >> 8));
    return image;
}

struct Updater : LinkedWriter {
    Updater() : LinkedWriter("COM1", 30) {}
    UpdateEnd Run(const FirmwareImage& image)
    {
        Box.ClearRequests();
        Notifier.Clear();
        Report = {};
        return RunFirmwareUpdate(Ws, Notifier, image, Report, Context, IapTiming{0, 0, 50});
    }
    int Count(const std::string& name) const
    {
        const auto names = Box.RequestNames();
        return int(std::count(names.begin(), names.end(), name));
    }
    Recorder Report;
};

}  // namespace

TEST(FirmwareUpdate, WriterHoldsTheInformationBlockAndTheCodeAndASecondUpdateSendsEverything)
{
    Updater u;
    ASSERT_TRUE(u.Ready);
    const FirmwareImage image = MakeImage(0x4000 + 100);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        ASSERT_EQ(u.Run(image), UpdateEnd::Success) << u.Notifier.LastText();
        EXPECT_EQ(u.Count("update block"), 3);
        // The end frame has no answer: wait until the writer took it.
        EXPECT_TRUE(WaitFor([&] { return u.Count("update end frame") == 1; }));
        EXPECT_EQ(u.Report.Statuses.back(), "Update Success!!");
    }
    const FirmwareState fw = u.Box.Snapshot().Firmware;
    EXPECT_TRUE(std::equal(fw.InfoBlock.begin(), fw.InfoBlock.end(), image.Data.begin() + 0x3F00));
    ASSERT_EQ(fw.Code.size(), 128u);
    EXPECT_TRUE(std::equal(fw.Code.begin(), fw.Code.begin() + 100, image.Data.begin() + 0x4000));
    EXPECT_TRUE(std::all_of(fw.Code.begin() + 100, fw.Code.end(), [](uint8_t b) { return b == 0; }));
    const auto requests = u.Box.Requests();
    const auto last = std::find_if(requests.rbegin(), requests.rend(),
                                   [](const RecordedRequest& r) { return r.Name == "update block header"; });
    ASSERT_NE(last, requests.rend());
    EXPECT_EQ(last->Bytes, (std::vector<uint8_t>{0xA5, 0x00, 0x40, 0x00, 0x7F, 0x02, 0x01}));
}

TEST(FirmwareUpdate, EveryWriterFaultEndsAsItShould)
{
    const std::string fail = "IAP Update Fail Please Retry IAP Or Check Writer Version!";
    const std::string link = "Please Check Writer Link or Writer Version!";
    struct Case {
        const char* Name;
        std::function<void(FirmwareState&)> Setup;
        UpdateEnd End;
        std::vector<std::string> Messages;
        std::string Writes;   // blocks written, in order: I information block, 0 and 1 code frames
        std::vector<int> Gauges;
        int Finishes;         // finish frames sent
        int ModeRequests = 1;
    };
    const std::string reset = "Please Reset Writer Software and Reset Writer!!";
    const std::vector<int> full{0, 50, 100};
    const Case cases[] = {
        // A block that reads back wrong is written again from its header; the gauge waits for it.
        {"one bad read-back", [](FirmwareState& f) { f.BadReadBacks = 1; }, UpdateEnd::Success, {reset}, "II01", full, 1},
        {"two bad read-backs", [](FirmwareState& f) { f.BadReadBacks = 2; }, UpdateEnd::Success, {reset}, "III01", full, 1},
        {"three bad read-backs", [](FirmwareState& f) { f.BadReadBacks = 3; }, UpdateEnd::BlockFailed, {fail}, "III", {}, 0},
        {"finish answered 0x05", [](FirmwareState& f) { f.FinishAnswers05 = true; }, UpdateEnd::Success, {reset}, "I01", full, 1},
        {"already in the loader", [](FirmwareState& f) { f.UpdateMode = true; }, UpdateEnd::Success, {reset}, "I01", full, 1, 0},
        {"silent writer", [](FirmwareState& f) { f.SilentFromBlock = 0; }, UpdateEnd::LinkError, {link, link}, "", {}, 0, 0},
        {"silent after a block", [](FirmwareState& f) { f.SilentFromBlock = 1; }, UpdateEnd::BlockFailed, {fail}, "I", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Updater u;
        ASSERT_TRUE(u.Ready);
        u.Box.With([&](WriterState& s) { c.Setup(s.Firmware); });
        EXPECT_EQ(u.Run(MakeImage(0x4000 + 128)), c.End);
        EXPECT_EQ(u.Notifier.Texts(), c.Messages);
        std::string writes;
        for (const RecordedRequest& r : u.Box.Requests()) {
            if (r.Name != "update block header") continue;
            const bool info = r.Bytes.at(5) == 1 && r.Bytes.at(1) == 0 && r.Bytes.at(2) == 0 && r.Bytes.at(4) == 0x3F;
            writes += info ? 'I' : char('0' + ((r.Bytes.at(1) << 8 | r.Bytes.at(2)) >> 6));
        }
        EXPECT_EQ(writes, c.Writes);
        EXPECT_EQ(u.Count("update block"), int(c.Writes.size()));
        EXPECT_EQ(u.Report.Gauges, c.Gauges);
        EXPECT_EQ(u.Count("update finish frame"), c.Finishes);
        EXPECT_EQ(u.Count("update-mode request"), c.ModeRequests);
    }
}

TEST(FirmwareImage, ShortEmptyAndOversizedImagesAreRefusedWhenOpened)
{
    TempDir dir;
    const std::string path = dir.File("image.cbn");
    const struct {
        std::size_t Size;
        const char* Message;
    } cases[] = {
        {0, IapMessages::kTooShort},
        {0x3F3F, IapMessages::kTooShort},
        {0x3F40, IapMessages::kNoCode},
        {0x4000, IapMessages::kNoCode},
        {0x4001, ""},
        {0x4000 + 0x10000, ""},
        {0x4000 + 0x10001, IapMessages::kTooLarge},
    };
    for (const auto& c : cases) {
        WriteBytes(path, std::string(c.Size, '\x3C'));
        const FirmwareImageResult r = LoadFirmwareImage(path);
        EXPECT_EQ(r.Message, c.Message) << c.Size;
        EXPECT_EQ(r.Image.Data.size(), r.Message.empty() ? c.Size : 0u) << c.Size;
        if (r.Message.empty()) {
            EXPECT_EQ(r.Image.CodeFrame(r.Image.FrameCount() - 1)[0], 0x3C);
        }
    }
    EXPECT_EQ(LoadFirmwareImage(dir.File("none.cbn")).Message, IapMessages::kCannotRead);
}

// Closing the window while the mode request waits on a line that takes no
// bytes ends the update as cancelled, with no message behind the window.
TEST(FirmwareUpdate, CancelWhileTheLineTakesNoBytesEndsWithoutAMessage)
{
    Updater u;
    ASSERT_TRUE(u.Ready);
    u.Box.SetFaults({.StallFromByte = 6});   // the line stops behind the status query
    Recorder report;
    report.OnStatus = [&](const std::string& text) {
        if (text.rfind("Wait Writer To IAP", 0) == 0) u.Cancel = true;
    };
    EXPECT_EQ(RunFirmwareUpdate(u.Ws, u.Notifier, MakeImage(0x4000 + 128), report, u.Context, IapTiming{0, 0, 50}),
              UpdateEnd::Cancelled);
    EXPECT_EQ(u.Notifier.Texts(), std::vector<std::string>{});
}
