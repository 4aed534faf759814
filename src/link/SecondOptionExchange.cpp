#include "link/SecondOptionExchange.h"

#include "link/LinkMessages.h"
#include "link/LinkResult.h"
#include "platform/Notifier.h"

#include <algorithm>

namespace {

enum class OptionExchange { UserRead, AreaRead, WriteHeader, WriteData, ReadBack };

struct OptionExchangeRow {
    OptionExchange Which;
    int Expects;                  // the LinkResult that lets the run go on
    const char* TimeoutText;
    bool ReportsProgramFail;      // 0xB1 in the stream: "OPTION program fail !!"
};

constexpr OptionExchangeRow kOptionExchanges[] = {
    {OptionExchange::UserRead, lrDone, "Connect Timeout!! (2)", false},
    {OptionExchange::AreaRead, lrDone, "Connect Timeout!! (3)", false},
    {OptionExchange::WriteHeader, lrReady, "Connect Timeout!!", false},
    {OptionExchange::WriteData, lrWriteOk, "Connect Timeout!!", true},
    {OptionExchange::ReadBack, lrDone, "Connect Timeout!!", false},
};

const OptionExchangeRow& FindOptionExchange(OptionExchange which)
{
    return *std::find_if(std::begin(kOptionExchanges), std::end(kOptionExchanges),
                         [which](const OptionExchangeRow& row) { return row.Which == which; });
}

constexpr int kUserOptionBytes = 8;
constexpr int kOptionAreaReadBytes = static_cast<int>(kOptionAreaBytes);

// One run of a mode. Every step returns true to go on; a step that stops has
// told the user why (unless the run was cancelled).
class OptionRun {
public:
    OptionRun(Workspace& ws, Notifier& notifier, const LinkContext& context, const OptionRunInput& input,
              OptionRunReporter& reporter)
        : ws_(ws), notifier_(notifier), ctx_(context), in_(input), reporter_(reporter)
    {
        result_.Chip = input.Chip;
    }

    OptionRunResult Run()
    {
        if (in_.Mode == OptionMode::Write && !in_.Chip.Read) {
            // Words copied from the chip would come from values never read.
            Tell(OptionTexts::kReadFirst);
            return End(false);
        }
        if (!PortStep() || !WriterStep()) return End(false);
        const bool reads = in_.Mode != OptionMode::Write;
        if (reads && (!ReadStep() || !UsedCheck())) return End(false);
        if (in_.Mode == OptionMode::Read) return End(true);
        if (!WriteStep() || !ReadBackStep()) return End(false);
        Tell(VerifyOptionArea(layout_, image_, readBack_) ? OptionTexts::kVerifyOk : OptionTexts::kVerifyFail);
        return End(true);
    }

private:
    OptionRunResult End(bool refresh)
    {
        result_.Cancelled = ctx_.Cancelled();
        result_.Refresh = refresh && !result_.Cancelled;
        return result_;
    }
    void Tell(const std::string& text)
    {
        if (!ctx_.Cancelled()) notifier_.Message(text);
    }

    // The shared reply check of every exchange.
    bool Expect(int result, OptionExchange which)
    {
        if (ctx_.Cancelled()) return false;
        const OptionExchangeRow& row = FindOptionExchange(which);
        if (result == row.Expects) return true;
        if (result == lrNoChip) Tell("Nothing in socket or type error!!");
        else if (result == lrAdapterError) Tell("IC adapter board error!!");
        else if (result == lrTimeout) Tell(row.TimeoutText);
        else if (result == lrWriteFailed && row.ReportsProgramFail) Tell("OPTION program fail !!");
        else Tell("Writer Error!!");
        return false;
    }

    // The header builder works on the device the dialog looked up when it
    // opened; the dialog keeps the main window from changing it meanwhile.
    void Header(MemoryArea area, HeaderCommand command)
    {
        layout_ = OptionLayout::Of(ws_);
        GetHeader(ws_, area, command, in_.Engineering);
    }

    // Data byte i of a read, masked by the layout (even bytes low, odd high).
    uint8_t Masked(std::size_t i) const
    {
        return ws_.TransferBuffer[i] & ((i & 1) ? layout_.BlankMaskHigh : layout_.BlankMaskLow);
    }
    void StoreOptionArea(ChipOptions& chip)
    {
        for (std::size_t i = 0; i < 8; ++i) {
            chip.IcBodyData0[i] = Masked(i);
            chip.IcBodyData1[i] = Masked(32 + i);
        }
    }

    bool PortStep()
    {
        if (ws_.LinkFailed) CheckComPort(ws_, notifier_, in_.PortText);
        if (!ws_.LinkFailed) return true;
        Tell(OptionTexts::kComPortError);
        return false;
    }

    // A writer that does not answer as a writer stops the run here, before
    // anything is read or written.
    bool WriterStep()
    {
        const int r = CheckWriter(ws_, notifier_, ctx_);
        if (ctx_.Cancelled()) return false;
        if (r == lrWriterGen1 || r == lrWriterGen2 || r == lrWriterGen2Id) return true;
        Tell(r == lrTimeout ? LinkMessages::ConnectTimeout(ws_.ComPortName) : LinkMessages::kConnectFail);
        return false;
    }

    bool ReadStep()
    {
        ChipOptions& chip = result_.Chip;
        Header(areaOption, hcRead);
        if (!Expect(ReadDataFromWriter(ws_, kUserOptionBytes, ctx_), OptionExchange::UserRead)) return false;
        for (std::size_t i = 0; i < chip.IcUserData.size(); ++i) chip.IcUserData[i] = Masked(i);

        Header(areaBodyOption, hcRead);
        if (!Expect(ReadDataFromWriter(ws_, kOptionAreaReadBytes, ctx_), OptionExchange::AreaRead)) return false;
        StoreOptionArea(chip);
        // Only now does the dialog hold every word a later write copies
        // from the chip; a failed area read leaves it unread.
        chip.Read = true;
        reporter_.ChipRead(chip);
        if (in_.Mode == OptionMode::Read) Tell(OptionTexts::kReadEnd);
        return true;
    }

    bool UsedCheck()
    {
        if (!SelectBitsUsed(layout_, in_.Choices.Select, result_.Chip.IcBodyData1)) return true;
        Tell(OptionTexts::kUsed);
        return false;
    }

    bool WriteStep()
    {
        // Auto composes from what it has just read; Write takes the
        // composition the dialog showed at its last refresh.
        image_ = in_.Mode == OptionMode::Auto ? ComposeOptionArea(layout_, in_.Choices, result_.Chip).Image
                                              : in_.Composed.Image;
        Header(areaBodyOption, hcOverWrite);
        if (!Expect(SendHeader(ws_, kCommandHeaderSize, ctx_), OptionExchange::WriteHeader)) return false;
        std::copy(image_.begin(), image_.end(), ws_.TransferBuffer.begin());
        return Expect(WriteData(ws_, kOptionAreaReadBytes, true, ctx_), OptionExchange::WriteData);
    }

    bool ReadBackStep()
    {
        Header(areaBodyOption, hcRead);
        if (!Expect(ReadDataFromWriter(ws_, kOptionAreaReadBytes, ctx_), OptionExchange::ReadBack)) return false;
        for (std::size_t i = 0; i < readBack_.size(); ++i) readBack_[i] = Masked(i);
        StoreOptionArea(result_.Chip);
        return true;
    }

    Workspace& ws_;
    Notifier& notifier_;
    const LinkContext& ctx_;
    const OptionRunInput& in_;
    OptionRunReporter& reporter_;
    OptionRunResult result_;
    OptionLayout layout_;
    OptionAreaBytes image_{};
    OptionAreaBytes readBack_{};
};

}  // namespace

OptionRunResult RunOptionMode(Workspace& ws, Notifier& notifier, const LinkContext& context,
                              const OptionRunInput& input, OptionRunReporter& reporter)
{
    return OptionRun(ws, notifier, context, input, reporter).Run();
}
