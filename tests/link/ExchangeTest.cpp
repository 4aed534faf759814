#include <gtest/gtest.h>

#include <algorithm>

#include "LinkTestSupport.h"

namespace {

WriterFaults Silent()
{
    WriterFaults f;
    f.SilentFromByte = 0;
    return f;
}

// A linked writer with a device selected and the writer identified.
struct Fixture : LinkedWriter {
    Fixture()
    {
        SelectTestDevice(Ws);
        if (Ready) Ready = CheckWriter(Ws, Notifier, Context) == lrWriterGen2Id;
    }
};

}  // namespace

// ---- SendHeader --------------------------------------------------------

TEST(SendHeader, ReturnsEveryHeaderAnswer)
{
    struct Case {
        const char* Name;
        WriterFaults Faults;
        HeaderCommand Command;
        LinkResult Result;
    };
    WriterFaults noChip, adapter, body, odd;
    noChip.NoChip = true;
    adapter.AdapterError = true;
    body.BodyOptionError = true;
    odd.UnexpectedReply = 0x42;
    const Case cases[] = {
        {"program", {}, hcProgram, lrReady},
        {"erase", {}, hcErase, lrDone},
        {"no chip", noChip, hcProgram, lrNoChip},
        {"adapter", adapter, hcProgram, lrAdapterError},
        {"body option", body, hcErase, lrBodyOptionError},
        {"unexpected", odd, hcErase, lrUnexpected},
        {"silent", Silent(), hcErase, lrTimeout},
    };
    for (const auto& c : cases) {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        w.Box.SetFaults(c.Faults);
        GetHeader(w.Ws, areaProgram, c.Command);
        EXPECT_EQ(SendHeader(w.Ws, 10, w.Context), c.Result) << c.Name;
    }
}

TEST(SendHeader, SendsTheHeaderBytesAsBuilt)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    GetHeader(w.Ws, areaProgram, hcErase);
    w.Ws.CommandBuffer[9] |= AccessStartBit;
    w.Box.ClearRequests();
    ASSERT_EQ(SendHeader(w.Ws, 10, w.Context), lrDone);
    auto requests = w.Box.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Name, "command header");
    EXPECT_EQ(requests[0].Bytes, std::vector<uint8_t>(w.Ws.CommandBuffer.begin(), w.Ws.CommandBuffer.begin() + 10));
}

TEST(SendHeader, CarriesTheTwoByteHandlerSignal)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    w.Ws.CommandBuffer[0] = HandlerSignalByte;
    w.Ws.CommandBuffer[1] = 0x01;
    w.Box.ClearRequests();
    EXPECT_EQ(SendHeader(w.Ws, 2, w.Context), lrDone);
    auto requests = w.Box.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Name, "handler signal");
    EXPECT_EQ(requests[0].Bytes, (std::vector<uint8_t>{0xAB, 0x01}));
}

TEST(SendHeader, CarriesTheThirtyTwoByteDeviceRecord)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    // The record that clears the writer's device list.
    std::fill(w.Ws.CommandBuffer.begin(), w.Ws.CommandBuffer.begin() + 32, uint8_t(0));
    w.Ws.CommandBuffer[0] = 0xA9;
    w.Ws.CommandBuffer[1] = 0xFF;
    w.Ws.CommandBuffer[30] = 0x02;
    w.Ws.CommandBuffer[31] = 0x01;
    w.Box.ClearRequests();
    EXPECT_EQ(SendHeader(w.Ws, 32, w.Context), lrDone);
    auto requests = w.Box.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Name, "device record");
    EXPECT_EQ(requests[0].Bytes, std::vector<uint8_t>(w.Ws.CommandBuffer.begin(), w.Ws.CommandBuffer.begin() + 32));
}

// ---- Read8BitData ------------------------------------------------------

TEST(Read8BitData, ReadsRawBytesAndTheEndMarker)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    w.Box.With([](WriterState& s) {
        for (int k = 0; k < 128; ++k) s.Chip.Eeprom[k] = uint8_t(0xFF - k);
        s.Chip.Eeprom[3] = 0xFE;   // an 0xFE in a data position is data
    });
    GetHeader(w.Ws, areaEeprom, hcRead);
    EXPECT_EQ(Read8BitData(w.Ws, 128, w.Context), lrDone);
    EXPECT_EQ(w.Ws.TransferBuffer[0], 0xFF);
    EXPECT_EQ(w.Ws.TransferBuffer[3], 0xFE);
    EXPECT_EQ(w.Ws.TransferBuffer[127], 0x80);
}

TEST(Read8BitData, ByteAfterTheDataThatIsNotTheEndMarkerIsUnexpected)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    w.Box.With([](WriterState& s) { s.Chip.Eeprom[127] = 0xFE; });
    GetHeader(w.Ws, areaEeprom, hcRead);
    EXPECT_EQ(Read8BitData(w.Ws, 127, w.Context), lrUnexpected);   // the 128th byte is 0xFE
    WriterFaults longer;
    longer.ReadLengthDelta = 1;
    w.Box.SetFaults(longer);
    EXPECT_EQ(Read8BitData(w.Ws, 128, w.Context), lrUnexpected);
}

TEST(Read8BitData, ShortBlockOrSilenceTimesOut)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    WriterFaults shorter;
    shorter.ReadLengthDelta = -1;
    w.Box.SetFaults(shorter);
    GetHeader(w.Ws, areaEeprom, hcRead);
    EXPECT_EQ(Read8BitData(w.Ws, 128, w.Context), lrTimeout);
    w.Box.SetFaults(Silent());
    EXPECT_EQ(Read8BitData(w.Ws, 128, w.Context), lrTimeout);
}

// ---- Read7BitData ------------------------------------------------------

TEST(Read7BitData, FullBlockIsDone)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    w.Box.With([](WriterState& s) {
        for (int k = 0; k < 32; ++k) s.Chip.IdChecksum[k] = uint8_t(k + 1);
    });
    GetHeader(w.Ws, areaIdChecksum, hcRead);
    EXPECT_EQ(Read7BitData(w.Ws, 32, w.Context), lrDone);
    for (int k = 0; k < 32; ++k) EXPECT_EQ(w.Ws.TransferBuffer[k], k + 1);
}

TEST(Read7BitData, ShortSevenBitBlockIsAcceptedOneByteShort)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    w.Ws.TransferBuffer[15] = 0x5A;
    WriterFaults shorter;
    shorter.ReadLengthDelta = -1;
    w.Box.SetFaults(shorter);
    GetHeader(w.Ws, areaOption, hcRead);   // 4 words: 8 bytes
    w.Ws.CommandBuffer[3] = 7;             // 8 words: 16 bytes, the box sends 15
    EXPECT_EQ(Read7BitData(w.Ws, 16, w.Context), lrDone);
    EXPECT_EQ(w.Ws.TransferBuffer[15], 0x5A);
    shorter.ReadLengthDelta = -2;
    w.Box.SetFaults(shorter);
    EXPECT_EQ(Read7BitData(w.Ws, 16, w.Context), lrUnexpected);
}

TEST(Read7BitData, LongBlockEndsAtOnceAndItsRestIsDrained)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    WriterFaults longer;
    longer.ReadLengthDelta = 1;
    w.Box.SetFaults(longer);
    GetHeader(w.Ws, areaOption, hcRead);
    w.Ws.CommandBuffer[3] = 7;   // 16 bytes, the box sends 17
    EXPECT_EQ(Read7BitData(w.Ws, 16, w.Context), lrDone);
    // The end marker still on its way must not answer the next header.
    w.Box.SetFaults({});
    GetHeader(w.Ws, areaProgram, hcProgram);
    EXPECT_EQ(SendHeader(w.Ws, 10, w.Context), lrReady);
}

TEST(Read7BitData, ClosingReadOfTwoBytesDrainsTheLongReply)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    GetHeader(w.Ws, areaProgram, hcRead);
    w.Ws.CommandBuffer[9] &= uint8_t(~AccessStartBit);
    w.Ws.CommandBuffer[3] = 0;   // the box still sends 0x0701 words
    EXPECT_EQ(Read7BitData(w.Ws, 2, w.Context), lrDone);
    GetHeader(w.Ws, areaProgram, hcErase);
    EXPECT_EQ(SendHeader(w.Ws, 10, w.Context), lrDone);
}

TEST(Read7BitData, ErrorsInPlaceOfData)
{
    struct Case {
        const char* Name;
        WriterFaults Faults;
        LinkResult Result;
    };
    WriterFaults noChip, adapter;
    noChip.NoChip = true;
    adapter.AdapterError = true;
    const Case cases[] = {
        {"no chip", noChip, lrNoChip},
        {"adapter", adapter, lrAdapterError},
        {"silent", Silent(), lrTimeout},
    };
    for (const auto& c : cases) {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        w.Box.SetFaults(c.Faults);
        GetHeader(w.Ws, areaIdChecksum, hcRead);
        EXPECT_EQ(Read7BitData(w.Ws, 32, w.Context), c.Result) << c.Name;
    }
}

TEST(Read7BitData, EightBitDataByteIsUnexpected)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    w.Box.With([](WriterState& s) { s.Chip.IdChecksum[4] = 0x81; });
    GetHeader(w.Ws, areaIdChecksum, hcRead);
    EXPECT_EQ(Read7BitData(w.Ws, 32, w.Context), lrUnexpected);
}

TEST(ReadDataFromWriter, ChoosesTheReaderByTheWordModel)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    w.Box.With([](WriterState& s) { s.Chip.IdChecksum[0] = 0x81; });
    GetHeader(w.Ws, areaIdChecksum, hcRead);
    w.Ws.SevenBitMode = true;
    EXPECT_EQ(ReadDataFromWriter(w.Ws, 32, w.Context), lrUnexpected);
    w.Ws.SevenBitMode = false;
    EXPECT_EQ(ReadDataFromWriter(w.Ws, 32, w.Context), lrDone);
    EXPECT_EQ(w.Ws.TransferBuffer[0], 0x81);
}

// ---- WriteData ---------------------------------------------------------

namespace {

// Sends a program header for the ID area (16 bytes) and checks the answer.
bool StartIdWrite(Fixture& w)
{
    GetHeader(w.Ws, areaIdChecksum, hcProgram);
    return SendHeader(w.Ws, 10, w.Context) == lrReady;
}

void UseSingleBytes(Fixture& w)
{
    w.Ws.WriterId = " HRX307A V3.10";
    w.Ws.WriterVersion = "V3.10";
    w.Box.SetAcknowledge(AckMode::PerByte);
}

std::vector<uint8_t> LastStream(Fixture& w)
{
    for (auto r : w.Box.Requests())
        if (r.Name == "data stream") return r.Bytes;
    return {};
}

}  // namespace

TEST(WriteData, StreamsTheDataIntoTheChip)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    for (int k = 0; k < 16; ++k) w.Ws.TransferBuffer[k] = uint8_t(0x10 + k);
    ASSERT_TRUE(StartIdWrite(w));
    EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrWriteOk);
    auto chip = w.Box.Chip();
    for (int k = 0; k < 16; ++k) EXPECT_EQ(chip.IdChecksum[k], 0x10 + k);
}

TEST(WriteData, PairModeFailureIndexIsTheSecondByteOfThePair)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    ASSERT_TRUE(PairMode(w.Ws, "V3.20", "V3.20"));
    WriterFaults fail;
    fail.ProgramFailAt = 4;   // the third pair
    w.Box.SetFaults(fail);
    ASSERT_TRUE(StartIdWrite(w));
    EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrWriteFailed);
    EXPECT_EQ(w.Ws.FailIndex, 5);
    EXPECT_EQ(LastStream(w).size(), 6u);
}

TEST(WriteData, SingleByteFailureIndexIsThatByte)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    UseSingleBytes(w);
    WriterFaults fail;
    fail.ProgramFailAt = 4;
    w.Box.SetFaults(fail);
    ASSERT_TRUE(StartIdWrite(w));
    EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrWriteFailed);
    EXPECT_EQ(w.Ws.FailIndex, 4);
}

TEST(WriteData, EarlyCompletionIsUnexpectedButOnTheLastByteIsFine)
{
    for (int at : {1, 3}) {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        UseSingleBytes(w);
        WriterFaults early;
        early.EarlyCompleteAt = at;
        w.Box.SetFaults(early);
        ASSERT_TRUE(StartIdWrite(w));
        EXPECT_EQ(WriteData(w.Ws, 4, true, w.Context), at == 1 ? lrUnexpected : lrWriteOk) << at;
    }
}

TEST(WriteData, WithoutUntilEndTheByteAfterTheDataEndsTheStream)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    UseSingleBytes(w);
    ASSERT_TRUE(StartIdWrite(w));   // the box wants 16 bytes and acknowledges with 0xB5
    EXPECT_EQ(WriteData(w.Ws, 4, false, w.Context), lrWriteOk);
    EXPECT_EQ(LastStream(w).size(), 5u);
}

TEST(WriteData, UntilEndSendsAtMostFiveBytesPastTheData)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    UseSingleBytes(w);
    ASSERT_TRUE(StartIdWrite(w));
    EXPECT_EQ(WriteData(w.Ws, 4, true, w.Context), lrWriteOk);
    EXPECT_EQ(LastStream(w).size(), 9u);
}

TEST(WriteData, ReturnsTheStreamErrors)
{
    struct Case {
        const char* Name;
        int Reply;
        LinkResult Result;
    };
    const Case cases[] = {
        {"no chip", 0xFE, lrNoChip},
        {"adapter", 0xFD, lrAdapterError},
        {"unexpected", 0x42, lrUnexpected},
    };
    for (const auto& c : cases) {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        WriterFaults f;
        f.UnexpectedReply = c.Reply;
        f.UnexpectedAtByte = 2;
        w.Box.SetFaults(f);
        ASSERT_TRUE(StartIdWrite(w));
        EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), c.Result) << c.Name;
    }
    Fixture w;
    ASSERT_TRUE(w.Ready);
    WriterFaults silent;
    silent.SilentFromByte = 16;   // the 10 header bytes and 3 pairs are answered
    w.Box.SetFaults(silent);
    ASSERT_TRUE(StartIdWrite(w));
    EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrTimeout);
    EXPECT_EQ(LastStream(w).size(), 8u);   // the fourth pair got no answer
}

// ---- pair mode ---------------------------------------------------------

TEST(WriteData, PairsFromV320ForBothModelsFromTheTextAlone)
{
    struct Case {
        const char* Model;
        const char* Version;
        bool Pairs;
    };
    const Case cases[] = {
        {"HRX207", "V3.19", false},   {"HRX207", "V3.20", true},   {" HRX307A", "V3.19", false},
        {" HRX307A", "V3.20", true},  {"HRX307A", "V3.30", false},  // no leading blank: not the model
        {" HRX207", "V3.30", false},
    };
    for (const auto& c : cases) {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        w.Box.SetIdentity(c.Model, c.Version);
        w.Ws.WriterVersion.clear();   // identify the writer afresh
        ASSERT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id) << c.Model << c.Version;
        EXPECT_EQ(PairMode(w.Ws, "V3.20", "V3.20"), c.Pairs) << c.Model << c.Version;
        WriterFaults fail;
        fail.ProgramFailAt = 2;
        w.Box.SetFaults(fail);
        ASSERT_TRUE(StartIdWrite(w));
        EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrWriteFailed);
        // One acknowledge per pair names the pair's second byte.
        EXPECT_EQ(w.Ws.FailIndex, c.Pairs ? 3 : 2) << c.Model << c.Version;
    }
}

// ---- what is left in the receive queue ---------------------------------

namespace {

// Sends switch queries whose answers (the given status bytes) are left
// unread in the receive queue, as a reply of an earlier exchange would be.
bool LeaveStaleReplies(Fixture& w, const std::vector<uint8_t>& statusBytes, std::size_t alsoWaiting = 0)
{
    w.Box.ScriptSwitch(statusBytes);
    for (std::size_t k = 0; k < statusBytes.size(); ++k) SendByte(w.Ws, SwitchQuery);
    const std::size_t want = statusBytes.size() + alsoWaiting;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (w.Ws.ComHandle->BytesWaiting(10) < want)
        if (std::chrono::steady_clock::now() > deadline) return false;
    return true;
}

}  // namespace

TEST(Purge, SwitchQueryIdentificationAndDataReadsDropAStaleReply)
{
    {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        ASSERT_TRUE(LeaveStaleReplies(w, {0x01}));
        w.Box.ScriptSwitch({0x00});   // the answer to the next query
        EXPECT_EQ(CheckWriterSwitch(w.Ws, 1, w.Context), lrUnexpected);
    }
    {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        ASSERT_TRUE(LeaveStaleReplies(w, {'A'}));
        w.Ws.WriterId.clear();
        w.Ws.CommandBuffer[0] = WriterIdRequest;
        EXPECT_EQ(ReadWriterID(w.Ws, 15, w.Context), lrDone);
        EXPECT_EQ(w.Ws.WriterId, " HRX307A V3.30");
    }
    {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        w.Box.With([](WriterState& s) { s.Chip.Eeprom[0] = 0x12; });
        ASSERT_TRUE(LeaveStaleReplies(w, {'A'}));
        GetHeader(w.Ws, areaEeprom, hcRead);
        EXPECT_EQ(Read8BitData(w.Ws, 128, w.Context), lrDone);
        EXPECT_EQ(w.Ws.TransferBuffer[0], 0x12);
    }
    {
        Fixture w;
        ASSERT_TRUE(w.Ready);
        w.Box.With([](WriterState& s) { s.Chip.IdChecksum[0] = 0x12; });
        ASSERT_TRUE(LeaveStaleReplies(w, {'A'}));
        GetHeader(w.Ws, areaIdChecksum, hcRead);
        EXPECT_EQ(Read7BitData(w.Ws, 32, w.Context), lrDone);
        EXPECT_EQ(w.Ws.TransferBuffer[0], 0x12);
    }
}

TEST(Purge, HeaderTakesAWaitingByteAndTheStreamDropsTheRest)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    for (int k = 0; k < 16; ++k) w.Ws.TransferBuffer[k] = uint8_t(0x20 + k);
    ASSERT_TRUE(LeaveStaleReplies(w, {0xB5, 0xFE}));
    GetHeader(w.Ws, areaIdChecksum, hcProgram);
    // No purge before a header: the first waiting byte is its answer.
    ASSERT_EQ(SendHeader(w.Ws, 10, w.Context), lrReady);
    // The stale 0xFE and the header's own 0xB5 now wait; the stream drops both.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (w.Ws.ComHandle->BytesWaiting(10) < 2) ASSERT_LT(std::chrono::steady_clock::now(), deadline);
    EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrWriteOk);
    auto chip = w.Box.Chip();
    for (int k = 0; k < 16; ++k) EXPECT_EQ(chip.IdChecksum[k], 0x20 + k);
}

TEST(Purge, WriterTypeQueryTakesAWaitingByte)
{
    Fixture w;
    ASSERT_TRUE(w.Ready);
    w.Ws.WriterType = 2;
    ASSERT_TRUE(LeaveStaleReplies(w, {0xC3}));   // the box itself answers 0xC4
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2);
}
