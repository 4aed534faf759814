// Disassembling and showing the largest program memory: 16384 words, every
// one an instruction, listed into the disassembly window of the main window
// and drawn once. Prints the median over the runs (target: under 100 ms) and
// the median of building the listing text alone.
#include "BenchSupport.h"
#include "workspace/BufferCommands.h"
#include "app/forms/MainForm.h"
#include "disasm/Disassembler.h"
#include "disasm/forms/DisForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    QuietNotifier notifier;
    TMainForm form(&notifier);
    form.resize(1280, 900);
    form.show();
    QApplication::processEvents();

    Workspace& ws = form.GetWorkspace();
    ws.RomBytes = 2 * kMaxListingWords;
    for (uint32_t i = 0; i < kMaxListingWords; ++i) {
        const uint32_t word = 0x2200 + (i & 0xFF);   // INCM with every register and destination
        ws.ProgramMemory[2 * i] = uint8_t(word & 0x7F);
        ws.ProgramMemory[2 * i + 1] = uint8_t(word >> 7);
    }

    std::vector<double> shown, built;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        const std::string text = BuildListing(ws);
        built.push_back(double(timer.nsecsElapsed()) / 1e6);

        timer.restart();
        form.Disassemble1Click();
        DisassembleForm->Memo1->repaint();
        QApplication::processEvents();
        shown.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (DisassembleForm->Memo1->blockCount() != int(20 + kMaxListingWords + 1)) {
            std::fprintf(stderr, "listing has %d lines\n", DisassembleForm->Memo1->blockCount());
            return 1;
        }
    }
    std::printf("disassemble and show %u words: median %.1f ms over %d runs (target < 100 ms)\n",
                kMaxListingWords, Median(shown), runs);
    std::printf("listing text alone: median %.1f ms\n", Median(built));
    form.hide();
    return Median(shown) < 100.0 ? 0 : 1;
}
