#include <gtest/gtest.h>

#include <functional>

#include "LinkTestSupport.h"
#include "platform/Clock.h"

namespace {

using Call = std::function<LinkResult(IdentifiedWriter&)>;

Call HeaderOf(MemoryArea area, HeaderCommand command)
{
    return [=](IdentifiedWriter& w) {
        GetHeader(w.Ws, area, command);
        return SendHeader(w.Ws, 10, w.Context);
    };
}

Call ReadOf(MemoryArea area, int bytes, bool sevenBit, int countLo = -1)
{
    return [=](IdentifiedWriter& w) {
        GetHeader(w.Ws, area, hcRead);
        if (countLo >= 0) w.Ws.CommandBuffer[3] = static_cast<uint8_t>(countLo);
        return sevenBit ? Read7BitData(w.Ws, bytes, w.Context) : Read8BitData(w.Ws, bytes, w.Context);
    };
}

// Sends a program header for the ID area (16 bytes) and then `count` bytes.
Call WriteOf(int count, bool untilEnd = true)
{
    return [=](IdentifiedWriter& w) {
        GetHeader(w.Ws, areaIdChecksum, hcProgram);
        const LinkResult header = SendHeader(w.Ws, 10, w.Context);
        return header == lrReady ? WriteData(w.Ws, count, untilEnd, w.Context) : header;
    };
}

// Reads an identification text made of `text` and "V3.30"; what came
// before an error byte is kept.
Call IdentificationOf(const char* text)
{
    return [=](IdentifiedWriter& w) {
        w.Box.SetIdentity(text, "V3.30");
        w.Ws.CommandBuffer[0] = WriterIdRequest;
        w.Ws.WriterId.clear();
        const LinkResult r = ReadWriterID(w.Ws, 15, w.Context);
        return w.Ws.WriterId == "AB" ? r : lrDone;
    };
}

// Done only when the first byte read is the chip's 0x12, not a stale reply.
Call FirstByteOf(Call read)
{
    return [=](IdentifiedWriter& w) { return read(w) == lrDone && w.Ws.TransferBuffer[0] == 0x12 ? lrDone : lrUnexpected; };
}

void UseSingleBytes(IdentifiedWriter& w)
{
    w.Ws.WriterId = " HRX307A V3.10";
    w.Ws.WriterVersion = "V3.10";
    w.Box.SetAcknowledge(AckMode::PerByte);
}

std::vector<uint8_t> LastStream(IdentifiedWriter& w)
{
    for (auto r : w.Box.Requests())
        if (r.Name == "data stream") return r.Bytes;
    return {};
}

}  // namespace

TEST(Exchange, WriterAnswersGiveTheirLinkResults)
{
    const Call id = [](IdentifiedWriter& w) {
        w.Ws.CommandBuffer[0] = WriterIdRequest;
        return ReadWriterID(w.Ws, 15, w.Context);
    };
    const Call eeprom = ReadOf(areaEeprom, 128, false), idArea = ReadOf(areaIdChecksum, 32, true);
    const Call options16 = ReadOf(areaOption, 16, true, 7);   // 8 words
    struct Case {
        const char* Name;
        WriterFaults Faults;
        Call Exchange;
        LinkResult Result;
    } const cases[] = {
        {"header ready", {}, HeaderOf(areaProgram, hcProgram), lrReady},
        {"header done", {}, HeaderOf(areaProgram, hcErase), lrDone},
        {"header no chip", {.NoChip = true}, HeaderOf(areaProgram, hcProgram), lrNoChip},
        {"header adapter", {.AdapterError = true}, HeaderOf(areaProgram, hcProgram), lrAdapterError},
        {"header body option", {.BodyOptionError = true}, HeaderOf(areaProgram, hcErase), lrBodyOptionError},
        {"header other byte", {.UnexpectedReply = 0x42}, HeaderOf(areaProgram, hcErase), lrUnexpected},
        {"header silent", SilentWriter(), HeaderOf(areaProgram, hcErase), lrTimeout},
        {"7-bit read", {}, idArea, lrDone},
        {"7-bit read no chip", {.NoChip = true}, idArea, lrNoChip},
        {"7-bit read adapter", {.AdapterError = true}, idArea, lrAdapterError},
        {"7-bit read silent", SilentWriter(), idArea, lrTimeout},
        {"7-bit read one short", {.ReadLengthDelta = -1}, options16, lrDone},
        {"7-bit read two short", {.ReadLengthDelta = -2}, options16, lrUnexpected},
        {"7-bit read one long", {.ReadLengthDelta = 1}, options16, lrDone},
        {"8-bit read", {}, eeprom, lrDone},
        {"8-bit read short", {.ReadLengthDelta = -1}, eeprom, lrTimeout},
        {"8-bit read long", {.ReadLengthDelta = 1}, eeprom, lrUnexpected},
        {"8-bit read silent", SilentWriter(), eeprom, lrTimeout},
        {"write", {}, WriteOf(16), lrWriteOk},
        {"write no chip", {.UnexpectedReply = 0xFE, .UnexpectedAtByte = 2}, WriteOf(16), lrNoChip},
        {"write adapter", {.UnexpectedReply = 0xFD, .UnexpectedAtByte = 2}, WriteOf(16), lrAdapterError},
        {"write other byte", {.UnexpectedReply = 0x42, .UnexpectedAtByte = 2}, WriteOf(16), lrUnexpected},
        {"write fail", {.ProgramFailAt = 4}, WriteOf(16), lrWriteFailed},
        {"write silent", SilentWriter(16), WriteOf(16), lrTimeout},
        {"identification silent", SilentWriter(), id, lrTimeout},
        {"identification no chip", {}, IdentificationOf("AB\xFE"), lrNoChip},
        {"identification adapter", {}, IdentificationOf("AB\xFD"), lrAdapterError},
        {"identification other byte", {}, IdentificationOf("AB\x90"), lrUnexpected},
        {"switch silent", SilentWriter(), [](IdentifiedWriter& w) { return CheckWriterSwitch(w.Ws, 1, w.Context); },
         lrTimeout},
    };
    for (const auto& c : cases) {
        IdentifiedWriter w;
        w.Box.SetFaults(c.Faults);
        EXPECT_EQ(c.Exchange(w), c.Result) << c.Name;
    }
}

TEST(Exchange, ReadsCarryTheDataAndDrainWhatFollows)
{
    IdentifiedWriter w;
    w.Box.With([](WriterState& s) {
        for (int k = 0; k < 128; ++k) s.Chip.Eeprom[k] = uint8_t(0xFF - k);
        s.Chip.Eeprom[3] = 0xFE;   // an 0xFE in a data position is data
        for (int k = 0; k < 32; ++k) s.Chip.IdChecksum[k] = uint8_t(k + 1);
    });
    EXPECT_EQ(ReadOf(areaEeprom, 128, false)(w), lrDone);
    EXPECT_EQ(w.Ws.TransferBuffer[3], 0xFE);
    EXPECT_EQ(w.Ws.TransferBuffer[127], 0x80);
    EXPECT_EQ(ReadOf(areaEeprom, 127, false)(w), lrUnexpected);   // the 128th byte is no end marker
    EXPECT_EQ(ReadOf(areaIdChecksum, 32, true)(w), lrDone);
    EXPECT_EQ(w.Ws.TransferBuffer[31], 32);

    // A long reply ends the read at once; its rest must not answer the next header.
    w.Box.SetFaults({.ReadLengthDelta = 1});
    EXPECT_EQ(ReadOf(areaOption, 16, true, 7)(w), lrDone);
    w.Box.SetFaults({});
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    // The closing read of two bytes drains the whole reply the header asked for.
    w.Ws.CommandBuffer[9] &= uint8_t(~AccessStartBit);
    EXPECT_EQ(ReadOf(areaProgram, 2, true, 0)(w), lrDone);
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);

    // A byte above 7Fh is no 7-bit data; the word model chooses the reader.
    w.Box.With([](WriterState& s) { s.Chip.IdChecksum[0] = 0x81; });
    GetHeader(w.Ws, areaIdChecksum, hcRead);
    EXPECT_EQ(ReadDataFromWriter(w.Ws, 32, w.Context), lrUnexpected);
    w.Ws.SevenBitMode = false;
    EXPECT_EQ(ReadDataFromWriter(w.Ws, 32, w.Context), lrDone);
    EXPECT_EQ(w.Ws.TransferBuffer[0], 0x81);
}

TEST(Exchange, StreamFailureNamesTheByteAndTheStreamEndsOnTime)
{
    // Pairs from V3.20 for both models, decided from the identification text alone.
    struct Case {
        const char* Model;
        const char* Version;
        bool Pairs;
    } const cases[] = {
        {"HRX207", "V3.19", false}, {"HRX207", "V3.20", true},   {" HRX307A", "V3.19", false},
        {" HRX307A", "V3.20", true}, {"HRX307A", "V3.30", false}, {" HRX207", "V3.30", false},
    };
    for (const auto& c : cases) {
        IdentifiedWriter w;
        w.Box.SetIdentity(c.Model, c.Version);
        w.Ws.WriterVersion.clear();
        ASSERT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
        EXPECT_EQ(IdentityOf(w.Ws).PairModeForLink(), c.Pairs) << c.Model << c.Version;
        w.Box.SetFaults({.ProgramFailAt = 4});
        EXPECT_EQ(WriteOf(16)(w), lrWriteFailed);
        // One acknowledge per pair names the pair's second byte.
        EXPECT_EQ(w.Ws.FailIndex, c.Pairs ? 5 : 4) << c.Model << c.Version;
    }
    // Byte by byte: completion on the first byte is early, on the last it is fine;
    // the stream ends one byte after the data, or at most five past them.
    struct Stream {
        int EarlyAt;
        int Count;
        bool UntilEnd;
        LinkResult Result;
        std::size_t Sent;
    } const streams[] = {
        {1, 4, true, lrUnexpected, 2}, {3, 4, true, lrWriteOk, 4}, {-1, 4, false, lrWriteOk, 5}, {-1, 4, true, lrWriteOk, 9},
    };
    for (const auto& s : streams) {
        IdentifiedWriter w;
        UseSingleBytes(w);
        w.Box.SetFaults({.EarlyCompleteAt = s.EarlyAt});
        EXPECT_EQ(WriteOf(s.Count, s.UntilEnd)(w), s.Result) << s.EarlyAt << s.UntilEnd;
        EXPECT_EQ(LastStream(w).size(), s.Sent) << s.EarlyAt << s.UntilEnd;
    }
}

TEST(Exchange, StaleRepliesAreDroppedWhereTheProtocolPurges)
{
    // Switch queries whose answers are left unread, as an earlier exchange would leave them.
    auto leaveStale = [](IdentifiedWriter& w, const std::vector<uint8_t>& bytes, std::size_t waiting) {
        w.Box.ScriptSwitch(bytes);
        for (std::size_t k = 0; k < bytes.size(); ++k) SendByte(w.Ws, SwitchQuery);
        const int mark = ClockMark();
        while (w.Ws.ComHandle->BytesWaiting(10) < waiting)
            if (CheckTimeOut(mark, ClockMark(), 200)) return false;
        return true;
    };
    const Call switchQuery = [](IdentifiedWriter& w) { return CheckWriterSwitch(w.Ws, 1, w.Context); };
    struct Case {
        const char* Name;
        Call Exchange;
        LinkResult Result;
    } const cases[] = {
        {"switch query", switchQuery, lrUnexpected},   // its own answer is 0x00, the stale one 0x01
        {"identification", [](IdentifiedWriter& w) {
             w.Ws.CommandBuffer[0] = WriterIdRequest;
             w.Ws.WriterId.clear();
             return ReadWriterID(w.Ws, 15, w.Context) == lrDone && w.Ws.WriterId == " HRX307A V3.30" ? lrDone
                                                                                                  : lrUnexpected;
         }, lrDone},
        {"8-bit read", FirstByteOf(ReadOf(areaEeprom, 128, false)), lrDone},
        {"7-bit read", FirstByteOf(ReadOf(areaIdChecksum, 32, true)), lrDone},
        {"type query takes it", [](IdentifiedWriter& w) { return CheckWriter(w.Ws, w.Notifier, w.Context); },
         lrWriterGen2},   // the stale 0xC3 is read as the answer
    };
    for (const auto& c : cases) {
        IdentifiedWriter w;
        ASSERT_TRUE(w.Ready);   // the port is used directly below
        const bool typeQuery = std::string(c.Name) == "type query takes it";
        w.Box.With([](WriterState& s) { s.Chip.Eeprom[0] = s.Chip.IdChecksum[0] = 0x12; });
        ASSERT_TRUE(leaveStale(w, {uint8_t(typeQuery ? 0xC3 : 0x01)}, 1));
        w.Box.ScriptSwitch({0x00});
        EXPECT_EQ(c.Exchange(w), c.Result) << c.Name;
    }
    // No purge before a header: a waiting byte is its answer; the stream then drops the rest.
    IdentifiedWriter w;
    ASSERT_TRUE(w.Ready);
    for (int k = 0; k < 16; ++k) w.Ws.TransferBuffer[k] = uint8_t(0x20 + k);
    ASSERT_TRUE(leaveStale(w, {0xB5, 0xFE}, 2));
    GetHeader(w.Ws, areaIdChecksum, hcProgram);
    ASSERT_EQ(SendHeader(w.Ws, 10, w.Context), lrReady);
    ASSERT_TRUE(leaveStale(w, {}, 2));
    EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrWriteOk);
    const auto chip = w.Box.Chip();
    for (int k = 0; k < 16; ++k) EXPECT_EQ(chip.IdChecksum[k], 0x20 + k) << k;
}
