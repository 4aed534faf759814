// writer-box: the simulated writer as a program. It opens a pseudo-terminal,
// prints the slave's path, optionally links a port name to it, and answers
// the writer protocol until it gets SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "WriterBox.h"

namespace {

const char* kUsage =
    "Usage: writer-box [switches]\n"
    "A simulated writer on a pseudo-terminal. Prints the terminal's path and serves\n"
    "until interrupted.\n"
    "\n"
    "  --link PATH               make PATH a symbolic link to the terminal\n"
    "                            (e.g. ~/.config/krv-writer/ports/COM1); removed at exit\n"
    "  --model TEXT              model part of the identification text (default \" HRX307A\")\n"
    "  --version TEXT            firmware version part (default \"V3.30\")\n"
    "  --type-reply BYTE         reply to the writer-type query: C2, C3 or C4 (default C4)\n"
    "  --ack auto|byte|pair      acknowledge data streams per byte, per pair, or as the\n"
    "                            identification text makes the program send them (default auto)\n"
    "  --switch B1,B2,...        status bytes for the next switch queries (hex)\n"
    "  --switch-idle BYTE        switch status once those are used up (default 01)\n"
    "  --protected               the chip reads back as protected\n"
    "  --option-area B0,B1,...   preset the option area (words 00h..13h, low byte first; hex)\n"
    "  --option2-used            set the option 2 select bits of word 12h, bits (13,12) = (1,0)\n"
    "  --paced                   send replies at the real line rate, 115200 baud 8N1\n"
    "  --turnaround US           start each reply US microseconds after the request's last\n"
    "                            byte, as a USB serial adapter's latency timer does\n"
    "  --verbose                 log every request on standard error\n"
    "Faults:\n"
    "  --no-chip                 answer 0xFE (no chip or wrong type) to every command header\n"
    "  --adapter-error           answer 0xFD (adapter board error) to every command header\n"
    "  --body-option-error       answer 0xB9 (body option error) to every command header\n"
    "  --fail-at N               answer 0xB1 (programming failed) to data-stream byte N\n"
    "  --early-complete-at N     answer 0xB0 (all received) to data-stream byte N\n"
    "  --silent-from N           stop answering once request byte N has arrived (0: silent)\n"
    "  --stall-from N            stop taking bytes off the line once request byte N has arrived\n"
    "  --wrong-generation        answer 0xC2 (generation 1 writer) to the type query\n"
    "  --unexpected-reply BYTE   answer BYTE (hex) to the type query and every command header\n"
    "  --unexpected-at N         ... or only as the acknowledge of data-stream byte N\n"
    "  --read-length-delta N     send N data bytes more (negative: fewer) in read replies\n"
    "  --corrupt-option-word N   option-area reads show word N (hex, 00..13) with bit 0 inverted\n"
    "  --bad-record-reply N      answer 0xB1 to the Nth device record after a clear\n"
    "  --bad-readback N          the next N firmware read-backs carry a wrong byte\n"
    "  --finish-05               answer the firmware finish frame 0x05 first\n"
    "  --update-silent-from N    no answer to update frames once N blocks were written\n"
    "  --help                    this text\n";

int Hex(const std::string& text)
{
    return int(std::strtol(text.c_str(), nullptr, 16));
}

int Decimal(const std::string& text)
{
    return int(std::strtol(text.c_str(), nullptr, 10));
}

[[noreturn]] void Fail(const std::string& text)
{
    std::fprintf(stderr, "writer-box: %s\n%s", text.c_str(), kUsage);
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv)
{
    WriterSettings settings;
    WriterFaults faults;
    std::string link;
    std::vector<uint8_t> switchScript;
    bool isProtected = false;
    std::string optionArea;
    bool option2Used = false;
    int corruptOptionWord = -1;
    int badRecord = -1;
    FirmwareState firmwareFaults;

    std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) Fail(a + " needs a value");
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--link") link = value();
        else if (a == "--model") settings.Model = value();
        else if (a == "--version") settings.Version = value();
        else if (a == "--type-reply") settings.TypeReply = uint8_t(Hex(value()));
        else if (a == "--ack") {
            std::string m = value();
            if (m == "auto") settings.Acknowledge = AckMode::Auto;
            else if (m == "byte") settings.Acknowledge = AckMode::PerByte;
            else if (m == "pair") settings.Acknowledge = AckMode::PerPair;
            else Fail("--ack takes auto, byte or pair");
        } else if (a == "--switch") {
            std::string list = value();
            std::size_t start = 0;
            while (start <= list.size()) {
                std::size_t comma = list.find(',', start);
                std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
                if (!item.empty()) switchScript.push_back(uint8_t(Hex(item)));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        } else if (a == "--switch-idle") settings.SwitchIdle = uint8_t(Hex(value()));
        else if (a == "--protected") isProtected = true;
        else if (a == "--option-area") optionArea = value();
        else if (a == "--option2-used") option2Used = true;
        else if (a == "--corrupt-option-word") corruptOptionWord = Hex(value());
        else if (a == "--paced") settings.Paced = true;
        else if (a == "--turnaround") settings.TurnaroundUs = Decimal(value());
        else if (a == "--verbose") settings.Verbose = true;
        else if (a == "--no-chip") faults.NoChip = true;
        else if (a == "--adapter-error") faults.AdapterError = true;
        else if (a == "--body-option-error") faults.BodyOptionError = true;
        else if (a == "--fail-at") faults.ProgramFailAt = Decimal(value());
        else if (a == "--early-complete-at") faults.EarlyCompleteAt = Decimal(value());
        else if (a == "--silent-from") faults.SilentFromByte = Decimal(value());
        else if (a == "--stall-from") faults.StallFromByte = Decimal(value());
        else if (a == "--wrong-generation") faults.WrongGeneration = true;
        else if (a == "--unexpected-reply") faults.UnexpectedReply = Hex(value()) & 0xFF;
        else if (a == "--unexpected-at") faults.UnexpectedAtByte = Decimal(value());
        else if (a == "--read-length-delta") faults.ReadLengthDelta = Decimal(value());
        else if (a == "--bad-record-reply") badRecord = Decimal(value());
        else if (a == "--bad-readback") firmwareFaults.BadReadBacks = Decimal(value());
        else if (a == "--finish-05") firmwareFaults.FinishAnswers05 = true;
        else if (a == "--update-silent-from") firmwareFaults.SilentFromBlock = Decimal(value());
        else Fail("unknown switch " + a);
    }

    // Block the stop signals here so that a helper thread can wait for them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    WriterBox box(settings);
    box.SetFaults(faults);
    box.ScriptSwitch(switchScript);
    if (isProtected) box.With([](WriterState& s) { s.Chip.Protected = true; });
    if (!optionArea.empty() && !box.With([&](WriterState& s) { return PresetOptionArea(s.Chip, optionArea); }))
        Fail("--option-area takes hexadecimal bytes");
    if (option2Used) box.With([](WriterState& s) { MarkOption2Used(s.Chip); });
    box.With([&](WriterState& s) { s.OptionArea.CorruptWord = corruptOptionWord; });

    std::string error;
    if (!box.Start(&error)) {
        std::fprintf(stderr, "writer-box: %s\n", error.c_str());
        return 1;
    }
    if (!link.empty() && !box.LinkAs(link, &error)) {
        std::fprintf(stderr, "writer-box: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", box.SlavePath().c_str());
    std::fflush(stdout);

    box.With([&](WriterState& s) {
        s.DeviceList.BadReplyAtRecord = badRecord;
        s.Firmware.BadReadBacks = firmwareFaults.BadReadBacks;
        s.Firmware.FinishAnswers05 = firmwareFaults.FinishAnswers05;
        s.Firmware.SilentFromBlock = firmwareFaults.SilentFromBlock;
    });

    int signal = 0;
    sigwait(&stopSignals, &signal);
    box.Stop();
    return 0;
}
