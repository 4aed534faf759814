#include "link/ProgrammingEngine.h"

#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"
#include "link/ChipData.h"
#include "link/CommandHeader.h"
#include "link/EngineExchanges.h"
#include "link/LinkResult.h"
#include "link/Operations.h"
#include "link/WriterLink.h"
#include "platform/Notifier.h"
#include "serialno/QtpFile.h"
#include "serialno/SerialMessages.h"
#include "serialno/SerialNumber.h"
#include "link/SerialSetExchange.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// Per-run state and the steps of one run. Every step returns true to go on;
// a step that fails has reported and set the run's end before it returns.
class EngineRun {
public:
    EngineRun(Workspace& ws, EngineReporter& reporter, Notifier& notifier,
              const EngineControls& controls, const std::atomic<bool>& cancel, int timeoutHundredths)
        : ws_(ws), reporter_(reporter), notifier_(notifier), controls_(controls), cancel_(cancel)
    {
        ctx_.Cancel = &cancel_;
        ctx_.TimeoutHundredths = timeoutHundredths;
    }

    RunEnd Run();

private:
    // ---- reporting -------------------------------------------------------
    void Caption(ProgressLabel label, const std::string& text, bool show = true)
    {
        captions_[static_cast<int>(label)] = text;
        reporter_.SetCaption(label, text);
        if (show) reporter_.SetVisible(label, true);
    }
    void Colour(ProgressLabel label, LabelColour colour) { reporter_.SetColour(label, colour); }
    void Hide(ProgressLabel label) { reporter_.SetVisible(label, false); }
    void Red(ProgressLabel label, const std::string& text)
    {
        Caption(label, text);
        Colour(label, LabelColour::Red);
    }
    // Appends the step's time to the caption the label holds now.
    void StepTime(ProgressLabel label, Clock::time_point mark)
    {
        if (!ws_.ShowProgramTime) return;
        Caption(label, captions_[static_cast<int>(label)] + "......." + Milliseconds(mark) + " ms");
    }
    static std::string Milliseconds(Clock::time_point mark)
    {
        // Shown in the clock's units of 10 ms.
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - mark).count();
        return std::to_string(ms / 10 * 10);
    }
    void Status() { reporter_.StatusChanged(ws_.Status); }

    // ---- run ends ----------------------------------------------------------
    // mayRepeat false: the run ended serial mode, so a restart would program
    // the next chips with the old number.
    bool EndWithTimer(RunEnd end = RunEnd::StepFailed, bool mayRepeat = true)
    {
        timerArm_ = mayRepeat && ws_.AutoRunning && (ws_.FlashPgmTestOn || ws_.WithHandler);
        end_ = end;
        return false;
    }
    bool EndExitOnly()
    {
        exitOnly_ = true;
        end_ = RunEnd::ExitOnly;
        return false;
    }

public:
    // The run's end for the dialog: Continue and Exit with the repeat timer
    // (EnTimer1), or Exit alone. Sent after the run's last workspace write,
    // since the dialog may start the next run or close as soon as it sees it.
    void ReportEnd()
    {
        if (timerArm_) reporter_.EnTimer1(*timerArm_);
        else if (exitOnly_) reporter_.EnableButton(ProgressButton::Exit, true);
    }

private:
    bool PreCheckEnd(const std::string& text)
    {
        reporter_.SetVisible(ProgressLabel::Data, true);
        Red(ProgressLabel::Data, text);
        return EndExitOnly();
    }
    bool Cancelled() const { return cancel_.load(); }
    bool EndIfCancelled()
    {
        if (!Cancelled()) return false;
        end_ = RunEnd::Cancelled;
        return true;
    }

    // The common reply handling of a step's exchange: true when the result
    // is the one the exchange waits for.
    bool Expect(int result, Exchange which, ProgressLabel label)
    {
        if (EndIfCancelled()) return false;
        const ExchangeRow& row = FindExchange(which);
        if (result == row.Expects) return true;
        if (result == lrNoChip) {
            Red(label, "Nothing in socket or type error!!");
        } else if (result == lrAdapterError) {
            Red(label, "IC adapter board error!!");
        } else if (result == lrTimeout) {
            Red(label, row.TimeoutText);
        } else if (result == lrBodyOptionError && row.HandlesBodyOption) {
            Red(ProgressLabel::Erase, "IC Bodyoption Error!!");
        } else {
            Red(label, row.OtherText);
        }
        return EndWithTimer();
    }

    // The closing read after a failed blank test or compare. The header
    // keeps its CountHi, so the writer may send more than the two bytes
    // asked for; Read7BitData drains that surplus up to its end marker, so
    // the next request (Continue's writer check) reads its own answer.
    void EndOfSessionRead()
    {
        ws_.CommandBuffer[9] &= static_cast<uint8_t>(~AccessStartBit);
        ws_.CommandBuffer[3] = 0;
        Read7BitData(ws_, 2, ctx_);
    }

    // The header builder works on the selected device, reloaded from the
    // device selector's text as it was when the run started.
    void Header(MemoryArea area, HeaderCommand command, bool accessStart)
    {
        SelectDevice(ws_, controls_.DeviceText);
        GetHeader(ws_, area, command, controls_.Engineering);
        SetAccessStart(accessStart);
    }
    void SetAccessStart(bool on)
    {
        if (on) ws_.CommandBuffer[9] |= AccessStartBit;
        else ws_.CommandBuffer[9] &= static_cast<uint8_t>(~AccessStartBit);
    }
    int HeaderReadLength() const
    {
        return (ws_.CommandBuffer[3] + ws_.CommandBuffer[4] * 256 + 1) * 2;
    }
    bool IsBlankPair(uint8_t low, uint8_t high) const
    {
        return low == ws_.BlankMaskLow && (high & ws_.BlankMaskHigh) == ws_.BlankMaskHigh;
    }

    // ---- link calls with this run's time-out and cancel flag --------------
    void DelayIn10ms_(int n) { DelayIn10ms(n, ctx_); }
    int SendHeader_(int n) { return SendHeader(ws_, n, ctx_); }
    int ReadData_(int n) { return ReadDataFromWriter(ws_, n, ctx_); }
    int Read8_(int n) { return Read8BitData(ws_, n, ctx_); }
    int WriteData_(int count, bool untilEnd) { return WriteData(ws_, count, untilEnd, ctx_); }

    // ---- stages ----------------------------------------------------------
    bool SerialInstructionCheck();
    bool DataPreCheck();
    bool OptionPreCheck();
    bool WriterCheck();
    bool HandlerStart();
    bool EraseStep();
    bool BlankCheckStep();
    bool ProgramIdStep();
    bool VerifyOrReadIdStep();
    bool SerialSetStep();
    bool ProgramDataStep();
    bool VerifyOrReadDataStep();
    bool ProgramEepromStep();
    bool VerifyOrReadEepromStep();
    bool ProgramOptionStep();
    void ReadOptionAreaStep();
    bool VerifyOrReadOptionStep();
    bool Stream(bool eeprom, uint32_t n);
    void EndBlock();

    // The Security item's field mask and its "Enable" choice. The search
    // stops at the end of the item's choices, so a table without "Enable"
    // ends it instead of running past the group.
    struct SecurityChoice {
        uint32_t Mask = 0;
        bool HasEnable = false;
        uint32_t EnableValue = 0;
    };
    SecurityChoice FindSecurityEnable();

    Workspace& ws_;
    EngineReporter& reporter_;
    Notifier& notifier_;
    const EngineControls& controls_;
    const std::atomic<bool>& cancel_;
    LinkContext ctx_;
    std::array<std::string, kProgressLabelCount> captions_{};

    // Step flags and settings of this run.
    const OperationRow* op_ = nullptr;
    bool erase_ = false, blankCheck_ = false;
    bool programEeprom_ = false, verifyEeprom_ = false, readEeprom_ = false;
    uint8_t protectFillValue_ = 0;
    bool simulated_ = false;   // "QTP Sim": nothing goes to the writer
    Clock::time_point runStart_{};
    Clock::time_point stepStart_{};
    RunEnd end_ = RunEnd::NotRun;
    std::optional<bool> timerArm_;   // the run ends with EnTimer1(arm)
    bool exitOnly_ = false;          // the run ends with Exit alone
};

RunEnd EngineRun::Run()
{
    // A QTP simulation never reaches the writer check; its total time
    // counts from the start of the run.
    runStart_ = Clock::now();
    ws_.AutoRunning = false;
    Caption(ProgressLabel::TotalTime, "", false);

    op_ = FindOperation(ws_.CommandCode);
    if (!op_) return RunEnd::NotRun;

    Caption(ProgressLabel::Title, op_->Title, false);
    erase_ = op_->Erase;
    blankCheck_ = op_->BlankCheck;
    const bool hasEeprom = (ws_.DeviceFlags & kFlagHasEeprom) != 0;
    programEeprom_ = op_->ProgramEeprom;
    verifyEeprom_ = op_->VerifyEeprom;
    readEeprom_ = op_->ReadEeprom && hasEeprom;
    if (op_->Code == opVerify || op_->Automatic) {
        const bool withEeprom = hasEeprom && ws_.WriteEEinAuto;
        programEeprom_ = programEeprom_ && withEeprom;
        verifyEeprom_ = verifyEeprom_ && withEeprom;
    }
    if (op_->Automatic && (ws_.DeviceFlags & kFlagEraseInsteadOfBlankCheck)) {
        erase_ = true;
        blankCheck_ = false;
    }
    if (op_->Code == opAutoProgram) ws_.AutoRunning = true;
    protectFillValue_ = op_->ProtectMode ? ws_.ProtectFill : 0;

    if (op_->Automatic) {
        if (!SerialInstructionCheck()) return end_;
        if (ws_.SerialModeOn) {
            // A number that cannot be placed (settings that do not fit the
            // device) must not let a chip be programmed without it.
            if (!SerialNo2Memory(ws_)) {
                PreCheckEnd(std::string(SerialMessages::SetupSerialFirst));
                return end_;
            }
            Status();
        }
        if (ws_.QtpSimulate) {
            simulated_ = true;
            Caption(ProgressLabel::Data, "Simulate Programming OK");
            EndBlock();
            return end_;
        }
        if (!DataPreCheck() || !OptionPreCheck()) return end_;
    }
    runStart_ = Clock::now();
    // A cancelled run stops waiting before the writer's last reply comes;
    // that byte would be taken for the answer to the writer-type query,
    // which is sent without a purge.
    PurgeReceive(ws_);
    if (!WriterCheck()) return end_;
    if (ws_.AutoRunning && ws_.WithHandler && !HandlerStart()) return end_;

    if (erase_ && !EraseStep()) return end_;
    if (blankCheck_ && !BlankCheckStep()) return end_;

    stepStart_ = Clock::now();
    if (op_->ProgramId && !ProgramIdStep()) return end_;
    if ((op_->VerifyId || op_->ReadId) && !VerifyOrReadIdStep()) return end_;
    if (op_->SerialSet && !SerialSetStep()) return end_;
    stepStart_ = Clock::now();
    if (op_->ProgramData && !ProgramDataStep()) return end_;
    if ((op_->VerifyData || op_->ReadData) && !VerifyOrReadDataStep()) return end_;
    if (programEeprom_ && !ProgramEepromStep()) return end_;
    if ((readEeprom_ || (verifyEeprom_ && !op_->ProtectMode)) && !VerifyOrReadEepromStep()) return end_;

    stepStart_ = Clock::now();
    if (op_->ProgramOption && !ProgramOptionStep()) return end_;
    if (op_->Code == opReadIc) {
        ReadOptionAreaStep();
        if (EndIfCancelled()) return end_;
    }
    if ((op_->VerifyOption || op_->ReadOption) && !VerifyOrReadOptionStep()) return end_;

    EndBlock();
    return end_;
}

bool EngineRun::SerialInstructionCheck()
{
    if (!ws_.SerialModeOn || ws_.SerialTarget != 0) return true;
    if (!SerialWordsHoldRtwi(ws_, kRtwiMaskRun)) return PreCheckEnd("The Instr is not 'RTWI'or ");
    return true;
}

bool EngineRun::DataPreCheck()
{
    for (uint32_t k = 0; k + 1 < ws_.RomBytes && k + 1 < kProgramMemorySize; k += 2) {
        if (!IsBlankPair(ws_.ProgramMemory[k], ws_.ProgramMemory[k + 1])) return true;
    }
    return PreCheckEnd("Data memory are blank or error");
}

bool EngineRun::OptionPreCheck()
{
    switch (ws_.OptionStatus & 3) {
    case 1: return PreCheckEnd("Some options are blank!");
    case 2: return PreCheckEnd("Some options are error!");
    case 3: return PreCheckEnd("Some options are blank or error!");
    default: return true;
    }
}

bool EngineRun::WriterCheck()
{
    const int r = CheckWriter(ws_, notifier_, ctx_);
    if (EndIfCancelled()) return false;
    if (r == lrWrongWriter) return PreCheckEnd("Wrong writer!");
    if (r == lrTimeout) return PreCheckEnd("Connect timeout!");
    return true;
}

bool EngineRun::HandlerStart()
{
    for (;;) {
        reporter_.EnableButton(ProgressButton::Exit, true);
        DelayIn10ms_(20);
        if (EndIfCancelled()) return false;
        reporter_.EnableButton(ProgressButton::Exit, false);
        const int r = CheckWriterSwitch(ws_, 1, ctx_);
        if (EndIfCancelled()) return false;
        if (r == lrSwitchOn) break;
    }
    ws_.CommandBuffer[0] = 0xAB;
    ws_.CommandBuffer[1] = 0x00;
    SendHeader_(2);
    return !EndIfCancelled();
}

bool EngineRun::EraseStep()
{
    const Clock::time_point mark = Clock::now();
    Caption(ProgressLabel::Erase, "Erase flash memory...");
    const bool slowPart = QuirksOf(ws_.DeviceName).SlowErase;
    Header(areaProgram, hcErase, !slowPart);
    Colour(ProgressLabel::Erase, LabelColour::Black);
    if (!Expect(SendHeader_(10), Exchange::EraseHeader, ProgressLabel::Erase)) return false;
    Caption(ProgressLabel::Erase, "Erase end");
    StepTime(ProgressLabel::Erase, mark);
    if (slowPart) {
        DelayIn10ms_(90);
        if (EndIfCancelled()) return false;
    }
    return true;
}

bool EngineRun::BlankCheckStep()
{
    const Clock::time_point mark = Clock::now();
    const ProgressLabel label = ProgressLabel::BlankCheck;
    Caption(label, "Blank Check -> Check ID & Checksum", false);
    Header(areaIdChecksum, hcRead, true);
    if (!Expect(ReadData_(32), Exchange::BlankIdRead, label)) return false;
    const std::size_t first = QuirksOf(ws_.DeviceName).BlankCheckFromIdByte;
    for (std::size_t k = first; k <= 14; k += 2) {
        if (!IsBlankPair(ws_.TransferBuffer[k], ws_.TransferBuffer[k + 1])) {
            Red(label, "ID or Checksum ...... Not Blank!!");
            EndOfSessionRead();
            return EndIfCancelled() ? false : EndWithTimer();
        }
    }

    Caption(label, "Blank Check -> Check Options");
    Header(areaOption, hcRead, true);
    if (!Expect(ReadData_(HeaderReadLength()), Exchange::BlankOptionRead, label)) return false;
    const uint32_t blank = BlankWord(ws_);
    const auto& t = ws_.TransferBuffer;
    const uint32_t w0 = RawWord(ws_, t[0] & ws_.BlankMaskLow, t[1] & ws_.BlankMaskHigh);
    const uint32_t w1 = ws_.OptionByteCount > 2
                            ? RawWord(ws_, t[2] & ws_.BlankMaskLow, t[3] & ws_.BlankMaskHigh)
                            : blank;
    if ((w0 & ws_.OptionBlankMask0) != (blank & ws_.OptionBlankMask0) ||
        (w1 & ws_.OptionBlankMask1) != (blank & ws_.OptionBlankMask1)) {
        Caption(label, "OPTION ....... Not blank!!");
        EndOfSessionRead();
        return EndIfCancelled() ? false : EndWithTimer();
    }

    Caption(label, "Blank check -> check data");
    Header(areaProgram, hcRead, op_->JustProgrammedArea != jpProgramArea);
    if (!Expect(ReadData_(static_cast<int>(ws_.RomBytes)), Exchange::BlankDataRead, label))
        return false;
    for (uint32_t k = 0; 2 * k + 1 < ws_.RomBytes; ++k) {
        const uint8_t low = t[2 * k], high = t[2 * k + 1];
        if (!IsBlankPair(low, high)) {
            Red(label, "Data ........ not blank at (" + Hex4(k) + "H), Data = " +
                           Hex4(RawWord(ws_, low, high)) + "H !!");
            EndOfSessionRead();
            return EndIfCancelled() ? false : EndWithTimer();
        }
    }
    Caption(label, "Blank check OK.");
    StepTime(label, mark);
    return true;
}

bool EngineRun::ProgramIdStep()
{
    const ProgressLabel label = ProgressLabel::Id;
    Caption(label, "Program ID...");
    Header(areaIdChecksum, op_->OverWrite ? hcOverWrite : hcProgram, true);
    if (!Expect(SendHeader_(10), Exchange::IdHeader, label)) return false;
    // The checksum of the buffer as it is now, with this run's serial number placed.
    GetIdChecksum(ws_, ws_.Status.ProgramChecksum);
    const int r = WriteData_(HeaderReadLength(), true);
    if (EndIfCancelled()) return false;
    if (r == lrWriteFailed) {
        const int w = ws_.FailIndex / 2;
        Red(label, w < 6 ? "ID program fail at address " + Hex4(static_cast<uint32_t>(w)) + " !!"
                         : std::string("Checksum program fail !!"));
        return EndWithTimer();
    }
    return Expect(r, Exchange::IdData, label);
}

bool EngineRun::VerifyOrReadIdStep()
{
    const ProgressLabel label = ProgressLabel::Id;
    const bool read = op_->ReadId;
    Caption(label, read ? "Read ID && Checksum" : "Verify ID && Checksum");
    Header(areaIdChecksum, hcRead, op_->JustProgrammedArea != jpId);
    if (!Expect(ReadData_(HeaderReadLength()), Exchange::IdRead, label)) return false;
    if (read) {
        for (std::size_t k = 0; k < 32; k += 2) {
            ws_.IdWords[k] = ws_.TransferBuffer[k] & 0x7F;
            ws_.IdWords[k + 1] = ws_.TransferBuffer[k + 1] & ws_.BlankMaskHigh;
        }
        Caption(label, "ID && checksum verify OK");
    } else {
        const int r = VerifyIdChecksum(ws_, ws_.Status.ProgramChecksum);
        if (r != 0) {
            Red(label, r == 1 ? "ID verify fail!!" : r == 2 ? "Checksum verify fail!!" : "ID && checksum verify fail!!");
            exitOnly_ = true;
            EndOfSessionRead();
            end_ = Cancelled() ? RunEnd::Cancelled : RunEnd::ExitOnly;
            return false;
        }
        Caption(label, op_->VerifyOnly ? "ID && checksum verify OK" : "ID && checksum program and verify OK");
    }
    StepTime(label, stepStart_);
    return true;
}

bool EngineRun::SerialSetStep()
{
    Caption(ProgressLabel::Data, "Program SeriaNo...");
    const SerialSetStepMessage outcome = ProgramSN(ws_, ctx_);
    if (EndIfCancelled()) return false;
    Caption(ProgressLabel::Data, outcome.Text);
    if (outcome.Red) Colour(ProgressLabel::Data, LabelColour::Red);
    return true;
}

// The engine's data stream: captions for the progress and every answer.
bool EngineRun::Stream(bool eeprom, uint32_t n)
{
    const ProgressLabel label = eeprom ? ProgressLabel::Eeprom : ProgressLabel::Data;
    const ProgressLabel progress = eeprom ? ProgressLabel::Option : ProgressLabel::Eeprom;
    const uint32_t every = eeprom ? 64 : 128;
    std::optional<bool> ended;   // set when an answer ends the stream
    auto onReply = [&](int index, uint8_t reply) {
        const uint32_t i = static_cast<uint32_t>(index);
        if (EndIfCancelled()) {
            ended = false;
            return false;
        }
        switch (reply) {
        case wrReady:
            if (i % every == 1) Caption(progress, Hex4(i / 2));
            return true;
        case wrWriteComplete:
            Caption(label, eeprom ? "EEPROM data program Ok" : "Data program Ok");
            if (eeprom) Hide(ProgressLabel::Option);
            ended = true;
            return false;
        case wrWriteFailed:
            Caption(progress, Hex4(i / 2));
            Red(label, eeprom ? "EEPROM data program fail !!" : "Data program fail !!");
            break;
        case wrNoChip:
            Red(label, "Nothing in socket or type error!");
            break;
        default:
            Red(label, "Unknow return value!!");
            break;
        }
        ended = EndWithTimer();
        return false;
    };
    const bool pair = IdentityOf(ws_).PairModeForStream();
    const WaitResult waited = StreamTransferBuffer(ws_, static_cast<int>(n) + 6, pair, ctx_, onReply);
    if (ended) return *ended;
    if (waited != WaitResult::Byte) {
        if (EndIfCancelled()) return false;
        Red(label, eeprom ? "Connect timeout!!" : "Connect Timeout!!");
        return EndWithTimer();
    }
    if (eeprom) Hide(ProgressLabel::Option);
    return true;
}

bool EngineRun::ProgramDataStep()
{
    Caption(ProgressLabel::Data, "Program data...");
    Caption(ProgressLabel::Eeprom, "");
    Header(areaProgram, op_->OverWrite ? hcOverWrite : hcProgram, true);
    if (!Expect(SendHeader_(10), Exchange::DataHeader, ProgressLabel::Data)) return false;
    GetRomData(ws_);
    return Stream(false, ws_.RomBytes);
}

bool EngineRun::VerifyOrReadDataStep()
{
    const ProgressLabel label = ProgressLabel::Data;
    const bool read = op_->ReadData;
    Caption(label, read ? "Read data ..." : "Verify data ...");
    Caption(ProgressLabel::Eeprom, "");
    Header(areaProgram, hcRead, op_->JustProgrammedArea != jpData);
    if (!Expect(ReadData_(static_cast<int>(ws_.RomBytes)), Exchange::DataRead, label)) return false;
    const auto& t = ws_.TransferBuffer;
    const uint32_t rom = std::min<uint32_t>(ws_.RomBytes, kProgramMemorySize);
    if (read) {
        for (uint32_t k = 0; k + 1 < rom; k += 2) {
            ws_.ProgramMemory[k] = t[k] & ws_.BlankMaskLow;
            ws_.ProgramMemory[k + 1] = t[k + 1] & ws_.BlankMaskHigh;
        }
        Caption(label, "Read data OK");
        ws_.MemoryReadBack = true;
    } else {
        const uint32_t blank = BlankWord(ws_);
        const uint32_t fill = ((uint32_t(protectFillValue_) << ws_.WordShift) + protectFillValue_) & blank;
        for (uint32_t k = 0; 2 * k + 1 < rom; ++k) {
            const uint32_t buffer = RawWord(ws_, ws_.ProgramMemory[2 * k], ws_.ProgramMemory[2 * k + 1]);
            const uint32_t asRead = RawWord(ws_, t[2 * k], t[2 * k + 1]);
            if ((fill | buffer) != (asRead & blank)) {
                Red(label, "Data verify error at " + Hex4(k) + "H");
                Caption(ProgressLabel::Eeprom, "IC=" + Hex4(asRead) + "H, Buffer=" + Hex4(buffer) + "H");
                EndOfSessionRead();
                return EndIfCancelled() ? false : EndWithTimer();
            }
        }
        Caption(label, op_->VerifyOnly ? "Data verify OK" : "Data program && verify OK");
    }
    Hide(ProgressLabel::Eeprom);
    StepTime(label, stepStart_);
    return true;
}

bool EngineRun::ProgramEepromStep()
{
    Caption(ProgressLabel::Eeprom, "Program EEPROM data...");
    Caption(ProgressLabel::Option, "");
    Header(areaEeprom, hcOverWrite, true);
    ws_.CommandBuffer[7] = 20;
    if (!Expect(SendHeader_(10), Exchange::EepromHeader, ProgressLabel::Eeprom)) return false;
    const uint32_t size = std::min<uint32_t>(ws_.EepromSize, kEepromBufferSize);
    for (uint32_t k = 0; k < size; ++k) {
        ws_.TransferBuffer[2 * k] = ws_.EepromBuffer[k];
        ws_.TransferBuffer[2 * k + 1] = static_cast<uint8_t>(k & 0xFF);
    }
    return Stream(true, 2 * size);
}

bool EngineRun::VerifyOrReadEepromStep()
{
    const ProgressLabel label = ProgressLabel::Eeprom;
    const bool read = readEeprom_;
    Caption(label, read ? "Read EEPROM data..." : "Verify EEPROM data...");
    Caption(ProgressLabel::Option, "");
    Header(areaEeprom, hcRead, op_->JustProgrammedArea != jpEeprom);
    const uint32_t size = std::min<uint32_t>(ws_.EepromSize, kEepromBufferSize);
    if (!Expect(Read8_(static_cast<int>(size)), Exchange::EepromRead, label)) return false;
    if (read) {
        for (uint32_t k = 0; k < size; ++k) ws_.EepromBuffer[k] = ws_.TransferBuffer[k];
        Caption(label, "Read EEPROM data OK");
    } else {
        for (uint32_t k = 0; k < size; ++k) {
            if (ws_.EepromBuffer[k] != ws_.TransferBuffer[k]) {
                Caption(label, "EEPROM data verify error at " + Hex4(k) + "H");
                Caption(ProgressLabel::Option,
                        "IC=" + Hex2(ws_.TransferBuffer[k]) + "H, Buffer=" + Hex2(ws_.EepromBuffer[k]) + "H");
                exitOnly_ = true;
                EndOfSessionRead();
                end_ = Cancelled() ? RunEnd::Cancelled : RunEnd::ExitOnly;
                return false;
            }
        }
        Caption(label, op_->VerifyOnly ? "EEPROM data verify OK" : "EEPROM data program && verify OK");
    }
    Hide(ProgressLabel::Option);
    StepTime(label, stepStart_);
    return true;
}

bool EngineRun::ProgramOptionStep()
{
    const ProgressLabel label = ProgressLabel::Option;
    Caption(label, "Program Option ...");
    Header(areaOption, op_->OverWrite ? hcOverWrite : hcProgram, true);
    if (!Expect(SendHeader_(10), Exchange::OptionHeader, label)) return false;
    for (std::size_t k = 0; k < 4; ++k) ws_.TransferBuffer[k] = ws_.OptionWords[k];
    const int r = WriteData_(HeaderReadLength(), true);
    if (EndIfCancelled()) return false;
    if (r == lrWriteFailed) {
        Red(label, "OPTION program fail !!");
        return EndWithTimer();
    }
    return Expect(r, Exchange::OptionData, label);
}

void EngineRun::ReadOptionAreaStep()
{
    Header(areaBodyOption, hcRead, true);
    if (ReadData_(HeaderReadLength()) != lrDone) return;
    for (std::size_t k = 0; k < 8; ++k) {
        const bool high = (k & 1) != 0;
        const uint8_t mask = high ? ws_.BlankMaskHigh : 0xFF;
        ws_.BodyOption[k] = ws_.TransferBuffer[k] & mask;
        ws_.BodyOption[8 + k] = ws_.TransferBuffer[32 + k] & mask;
    }
}

bool EngineRun::VerifyOrReadOptionStep()
{
    const ProgressLabel label = ProgressLabel::Option;
    const bool read = op_->ReadOption;
    Caption(label, read ? "Read Option ..." : "Verify Option ...");
    Header(areaOption, hcRead, false);
    if (!Expect(ReadData_(HeaderReadLength()), Exchange::OptionRead, label)) return false;
    const auto& t = ws_.TransferBuffer;
    if (read) {
        Caption(label, "Read OPTION OK");
        for (std::size_t k = 0; k < 8; ++k) ws_.OptionWords[k] = (k & 1) ? (t[k] & ws_.BlankMaskHigh) : t[k];
    } else {
        const SecurityChoice security = FindSecurityEnable();
        const uint32_t s = security.Mask;
        const uint32_t m0 = ws_.OptionBlankMask0 ^ (s & 0xFFFF);
        const uint32_t e0 = RawWord(ws_, ws_.OptionWords[0], ws_.OptionWords[1]);
        const uint32_t a0 = RawWord(ws_, t[0], t[1]);
        uint32_t e1 = 0, a1 = 0;
        if (ws_.OptionByteCount >= 3) {
            e1 = RawWord(ws_, ws_.OptionWords[2], ws_.OptionWords[3]) & ws_.OptionBlankMask1;
            a1 = RawWord(ws_, t[2], t[3]) & ws_.OptionBlankMask1;
        }
        if (op_->ProtectMode) {
            // A table without an "Enable" choice cannot show a protected chip.
            if (!security.HasEnable || (a0 & s) != security.EnableValue) {
                Red(label, "IC is not protected !");
                return EndExitOnly();
            }
        }
        if ((e0 & m0) == (a0 & m0) && e1 == a1) {
            Caption(label, op_->VerifyOnly ? "OPTION verify OK" : "OPTION program && verify OK");
        } else {
            Red(label, "OPTION verify Fail!!");
            return EndExitOnly();
        }
    }
    StepTime(label, stepStart_);
    return true;
}

EngineRun::SecurityChoice EngineRun::FindSecurityEnable()
{
    constexpr int kSecurityItem = 6;
    SecurityChoice choice;
    if (ws_.OptionSetNo[kSecurityItem - 1] == 0) return choice;
    if (!GetOptData(ws_, kSecurityItem, 0, &notifier_)) return choice;
    choice.Mask = ws_.OptValue;
    for (int i = 1; i < 512; ++i) {
        if (!GetOptData(ws_, kSecurityItem, i, &notifier_) || ws_.OptValue == 0xFFFFFFFFu) break;
        if (ws_.OptText == "Enable") {
            choice.HasEnable = true;
            choice.EnableValue = ws_.OptValue;
            break;
        }
    }
    return choice;
}

void EngineRun::EndBlock()
{
    if (op_->Code == opAutoProgram || op_->Code == opAutoProgramNoBlankCheck) {
        // A count at its limit stays there; a text out of range counts from its nearer end.
        const long count = std::clamp(std::strtol(ws_.Status.PassCountText.c_str(), nullptr, 10), 0L,
                                      static_cast<long>(kPassCountMax));
        const auto next = static_cast<uint32_t>(std::min(count + 1, static_cast<long>(kPassCountMax)));
        ws_.Status.PassCountText = std::to_string(next);
        ws_.Status.PassCount = next;
        ++ws_.AutoPassCount;
        Status();
        if (ws_.WithHandler && !simulated_) {
            ws_.CommandBuffer[0] = 0xAB;
            ws_.CommandBuffer[1] = 0x01;
            SendHeader_(2);
            if (EndIfCancelled()) return;
        }
    }
    bool mayRepeat = true;
    if (op_->Automatic && ws_.SerialModeOn) {
        // The next QTP record, or the next generated number; then placed.
        const SerialPassResult next = NextSerialAfterPass(ws_, notifier_);
        Status();
        if (next == SerialPassResult::QtpFinished) {
            reporter_.QtpSimCaption("Enable");
            Caption(ProgressLabel::Qtp, "QTP programming finished!");
            EndWithTimer(RunEnd::QtpFinished, false);
            return;
        }
        // Refused: serial mode ended with its reason shown; production stops here.
        mayRepeat = next != SerialPassResult::Refused;
    }
    EndWithTimer(RunEnd::Completed, mayRepeat);
    if (ws_.ShowProgramTime)
        Caption(ProgressLabel::TotalTime, "Total program time = " + Milliseconds(runStart_) + " ms");
}

}  // namespace

ProgrammingEngine::ProgrammingEngine(Workspace& ws, EngineReporter& reporter, Notifier& notifier)
    : ws_(ws), reporter_(reporter), notifier_(notifier)
{
}

ProgrammingEngine::~ProgrammingEngine()
{
    Stop();
}

RunEnd ProgrammingEngine::RunOnce(const EngineControls& controls)
{
    EngineRun run(ws_, reporter_, notifier_, controls, worker_.CancelFlag(), timeoutHundredths_);
    RunEnd end = run.Run();
    if (worker_.CancelFlag().load()) end = RunEnd::Cancelled;
    lastEnd_.store(end);
    run.ReportEnd();
    return end;
}

void ProgrammingEngine::Start(const EngineControls& controls)
{
    worker_.Join();
    running_.store(true);
    worker_.Start([this, controls] {
        RunOnce(controls);
        running_.store(false);
    });
}

void ProgrammingEngine::Cancel()
{
    worker_.Cancel();
}

void ProgrammingEngine::Join()
{
    worker_.Join();
}

void ProgrammingEngine::Stop()
{
    worker_.Stop();
}
