#include "FileTestSupport.h"

namespace {

struct Hostile {
    const char* Name;
    const char* FileName;
    std::string Bytes;
    std::string Message;
    uint32_t Family = 2;   // of the 31Q520 loading it
};

// A raw image of zero words but one whose high byte is wider than the family's words.
std::string WideWord(char high)
{
    std::string bytes(2048, '\0');
    bytes[101] = high;
    return bytes;
}

std::string Full31Q520Chx()
{
    std::string text;
    for (uint16_t a = 0; a < 2048; a += 16) text += Record(a, std::vector<uint8_t>(16, 0x00));
    return text;
}

} // namespace

TEST(HostileProgramFiles, EveryBadFileIsRefusedWithoutChangingAnything)
{
    const std::string good = Full31Q520Chx();
    std::string badChecksum = good;
    badChecksum.replace(badChecksum.find("\r\n") - 2, 2, "00");
    const std::vector<Hostile> cases = {
        {"bad checksum", "p.chx", badChecksum, "Checksum error at line 1 !"},
        {"truncated record", "p.chx", ":1000000000000000\r\n", "Checksum error at line 1 !"},
        {"truncated data", "p.chx", ":10000000000000" "\r\n", "Checksum error at line 1 !"},
        {"record cut after its mark", "p.chx", good + ":", "Byte No. error at line 129 !"},
        {"non-hexadecimal byte count", "p.chx", ":G0000000\r\n", "Byte No. error at line 1 !"},
        {"non-hexadecimal address", "p.chx", ":0100X00000FF\r\n", "Address error at line 1 !"},
        {"non-hexadecimal data", "p.chx", ":01000000ZZ00\r\n", "Checksum error at line 1 !"},
        {"data past the address space", "p.chx", Record(0xFFF8, std::vector<uint8_t>(16, 0)),
         "Address error at line 1 !"},
        {"EEPROM index past the buffer", "p.chx", good + Record(0x8200 + 2 * 598, {0x12}),
         "Address error at line 129 !"},
        {"EEPROM index past the buffer (.hex)", "p.hex", Record(0x4200 + 2 * 600, {0x12}),
         "Address error at line 1 !"},
        {"bad checksum (.hex)", "p.hex", ":020000000000FF\r\n", "Checksum error at line 1 !"},
        {"oversized raw image", "p.cbn", std::string(40000, '\0'), "File size unmatch!"},
        {"oversized object file", "p.obj", std::string(40000, '\0'), "File size unmatch!"},
        {"raw image of another size", "p.obj", std::string(1500, '\0'), "File size unmatch!"},
        {"last error wins, reading goes on", "p.chx", ":0100000000FF\r\n:0100000001FF\r\n:01000000ZZ00\r\n",
         "Checksum error at line 3 !"},
        {"PIC .hex for family 3", "p.hex", ":00000001FF\r\n", "File type incorrect!", 3},
        {"PIC .obj for family 3", "p.obj", std::string(2048, '\0'), "File type incorrect!", 3},
        {"word wider than 14 bits", "p.cbn", WideWord('\x40'), "It is not 14-bit instructions !"},
        {"word wider than 13 bits", "p.cbn", WideWord('\x20'), "It is not 13-bit instructions !", 4},
        {"word wider than 15 bits", "p.cbn", WideWord('\x80'), "It is not 15-bit instructions !", 5},
        {"unknown type", "p.bin", std::string(2048, '\0'), "File type incorrect!"},
        {"no extension", "program", std::string(2048, '\0'), "File type incorrect!"},
    };
    TempDir dir;
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string path = dir.File(c.FileName);
        WriteBytes(path, c.Bytes);
        auto ws = FreshWorkspace("31Q520");
        for (uint32_t w = 0; w < 1024; ++w) SetWord(*ws, w, (w * 13) & 0x3FFF);
        ws->EepromBuffer[3] = 0x42, ws->OptionWords[0] = 0x06, ws->ProgramFileName = "/kept/name.chx";
        ws->SerialModeOn = ws->DisasmWindowOpen = true, ws->DeviceFamily = c.Family;
        const Snapshot before = TakeSnapshot(*ws);
        RecordingNotifier n;
        const FileCommandResult r = Load(*ws, path, n);
        EXPECT_FALSE(r.Loaded);
        EXPECT_EQ(n.Texts(), std::vector<std::string>{c.Message});
        ExpectSameSnapshot(before, TakeSnapshot(*ws));
        EXPECT_FALSE(r.Actions.CloseDisasmWindow);
    }
}
