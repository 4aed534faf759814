#include <gtest/gtest.h>

#include "LinkTestSupport.h"
#include "workspace/DeviceCatalogue.h"
#include "link/DeviceDownload.h"

namespace {

std::vector<bool> Checked(std::initializer_list<int> rows)
{
    std::vector<bool> checked(DeviceCount(), false);
    for (int r : rows) checked[r] = true;
    return checked;
}

}  // namespace

TEST(DeviceDownload, TwoCheckedRowsGiveTheClearRecordAndTwoRecordsAndLeaveTheDeviceAlone)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    SelectTestDevice(w.Ws);
    std::vector<int> gauge;
    DownloadProgress progress;
    progress.Gauge = [&](int p) { gauge.push_back(p); };

    ASSERT_TRUE(DownloadDevices(w.Ws, w.Notifier, Checked({3, 9}), progress, w.Context)) << w.Notifier.LastText();

    const auto requests = w.Box.Requests();
    ASSERT_GE(requests.size(), 3u);
    const std::vector<uint8_t> clear = requests[requests.size() - 3].Bytes;
    EXPECT_EQ(clear, (std::vector<uint8_t>{0xA9, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                           0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1}));
    const DeviceListState list = w.Box.Snapshot().DeviceList;
    EXPECT_EQ(list.Clears, 1);
    // "72Q566" (1K words, 128 bytes of EEPROM) in slot 1, "72Q575" (4K, 256) in slot 2.
    const std::vector<uint8_t> first{0xA9, 1,    '7',  '2',  'Q',  '5', '6', '6', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                     ' ',  ' ',  0x03, 0x00, 0x39, 0xE0, 0x3F, 0x06, 0x02, 0x7F, 0, 0, 0, 0, 2, 0x80};
    EXPECT_EQ(list.Slots[0], first);
    ASSERT_EQ(list.Slots[1].size(), 32u);
    EXPECT_EQ(std::string(list.Slots[1].begin() + 2, list.Slots[1].begin() + 18), "72Q575          ");
    EXPECT_EQ(list.Slots[1][18], 0x0F);
    EXPECT_EQ(list.Slots[1][25], 0xFF);
    for (std::size_t s = 2; s < list.Slots.size(); ++s) EXPECT_TRUE(list.Slots[s].empty()) << s;
    EXPECT_EQ(gauge.back(), 100);

    EXPECT_EQ(w.Ws.DeviceName, "KRV31P210");
    EXPECT_EQ(w.Ws.ProgramLastHi, 0x07);
    EXPECT_EQ(w.Ws.EepromLastLo, 0x7F);
    EXPECT_TRUE(w.Notifier.Prompts.empty()) << w.Notifier.LastText();
}

TEST(DeviceDownload, EveryStopShowsItsMessageAndSendsNoMore)
{
    struct Case {
        const char* Name;
        std::function<void(LinkedWriter&)> Setup;
        std::string Message;
        int Clears;
        int Kept;   // device records in the writer afterwards
    };
    const Case cases[] = {
        {"bad reply to the second record", [](LinkedWriter& w) {
             w.Box.With([](WriterState& s) { s.DeviceList.BadReplyAtRecord = 2; });
         }, "Writer Error (3, 7)!!", 1, 1},
        {"another model", [](LinkedWriter& w) { w.Box.SetIdentity(" HRX307B", "V3.30"); },
         "This writer does not support devices download function", 0, 0},
        {"firmware below V3.09", [](LinkedWriter& w) { w.Box.SetIdentity(" HRX307A", "V3.08"); },
         "Please update the writer firmware", 0, 0},
        // Goes on, after the writer check's own note on old firmware.
        {"firmware V3.09", [](LinkedWriter& w) { w.Box.SetIdentity(" HRX307A", "V3.09"); },
         "Please update the firmware", 1, 3},
        {"wrong generation", [](LinkedWriter& w) { w.Box.SetTypeReply(0xC2); }, "Writer Error (1, 6)!!", 0, 0},
        {"unknown type reply", [](LinkedWriter& w) { w.Box.SetTypeReply(0x42); }, "Writer Error (1, 7)!!", 0, 0},
        {"silent writer", [](LinkedWriter& w) { w.Box.SetFaults(SilentWriter()); }, "Connect Timeout!!", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        LinkedWriter w;
        ASSERT_TRUE(w.Ready);
        SelectTestDevice(w.Ws);
        c.Setup(w);
        EXPECT_EQ(DownloadDevices(w.Ws, w.Notifier, Checked({0, 4, 10}), {}, w.Context), c.Kept == 3);
        EXPECT_EQ(w.Notifier.LastText(), c.Message);
        const DeviceListState list = w.Box.Snapshot().DeviceList;
        EXPECT_EQ(list.Clears, c.Clears);
        int kept = 0;
        for (const auto& slot : list.Slots) kept += !slot.empty();
        EXPECT_EQ(kept, c.Kept);
    }
}

TEST(DeviceDownload, LongPartNumbersAreCutAtSixteenCharacters)
{
    DeviceTableRow row = DeviceTable[0];
    row.PartNumber = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const DeviceRecord r = BuildDeviceRecord(row, 16);
    EXPECT_EQ(std::string(r.begin() + 2, r.begin() + 19), std::string("ABCDEFGHIJKLMNOP") + char(row.RomLastHi));
}
