// Opening the program-memory window of the largest catalogue device and
// refreshing it after a run (the grid redrawn from a changed buffer, as the
// dispatcher does when the progress dialog closes), on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise. Prints the median of each.
//
//   bench_gui_memory_window [runs] [auto-program ms]
//
// With the auto-program time of bench_auto_program_linerate as the second
// argument it also prints the refresh as a share of it (target: at most 2 %).
// KRV_BENCH_SCREENSHOT=dir saves pictures of the main window with its editor
// windows and of the ID window with everything shown.

#include "BenchSupport.h"
#include "app/forms/MainForm.h"
#include "editors/forms/CounterSetupForm.h"
#include "editors/forms/EditSingleData.h"
#include "editors/forms/IDChecksumForm.h"
#include "editors/forms/MemoryWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiSubWindow>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

template <typename F>
double TimeMs(F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Draws the grid now, as the screen would after the event loop ran.
void Paint(TMainForm& form)
{
    QApplication::processEvents();
    if (TMDIChild* w = OpenMemoryWindow(form)) w->StringGrid1->viewport()->repaint();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const double autoProgramMs = argc > 2 ? std::atof(argv[2]) : 0.0;

    QuietNotifier quiet;
    TMainForm form(&quiet);
    form.resize(1280, 900);
    form.show();
    auto* devices = form.findChild<QComboBox*>(QStringLiteral("ComboBox2"));
    devices->setCurrentIndex(devices->count() - 1);   // the largest device
    Workspace& ws = form.GetWorkspace();
    QApplication::processEvents();

    std::vector<double> open;
    std::vector<double> refresh;
    for (int run = 0; run < runs; ++run) {
        if (TMDIChild* w = OpenMemoryWindow(form)) {
            qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
            QApplication::processEvents();
        }
        open.push_back(TimeMs([&] {
            form.ProgramMemory1Click();
            Paint(form);
        }));
        // A run changed every word of the chip's program memory.
        for (std::size_t i = 0; i < ws.RomBytes; ++i) ws.ProgramMemory[i] = uint8_t((i * 7 + run) & 0x7F);
        refresh.push_back(TimeMs([&] {
            form.RebuildMemoryGrid();
            Paint(form);
        }));
    }
    const double openMs = Median(open);
    const double refreshMs = Median(refresh);
    std::printf("device %s: %d words, %d runs\n", ws.DeviceName.c_str(), int(ws.RomBytes / 2), runs);
    std::printf("open program-memory window: median %.3f ms\n", openMs);
    std::printf("refresh after a run:        median %.3f ms\n", refreshMs);
    if (autoProgramMs > 0)
        std::printf("refresh / auto program (%.0f ms): %.3f %% (target <= 2 %%)\n", autoProgramMs,
                    100.0 * refreshMs / autoProgramMs);

    if (const char* dir = std::getenv("KRV_BENCH_SCREENSHOT")) {
        form.ID2Click();
        form.TileHorizontally();
        QApplication::processEvents();
        form.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/main-window.png"));
        if (IDChecksumForm) {
            IDChecksumForm->StaticText1DblClick();
            IDChecksumForm->StaticText5DblClick();
            QApplication::processEvents();
            IDChecksumForm->parentWidget()->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/id-window.png"));
        }
        // The dialogs, as they open.
        auto save = [dir](QWidget& dialog, const char* name) {
            dialog.show();
            QApplication::processEvents();
            dialog.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
        };
        TEditSingleData editor(quiet, 0x3FFF);
        editor.Data = QStringLiteral("3FFF");
        save(editor, "word-editor.png");
        ws.IdDisplayMode = 1;
        TIDModify idHex(form);
        save(idHex, "id-modify-hex.png");
        ws.IdDisplayMode = 0;
        TIDModify idText(form);
        save(idText, "id-modify-text.png");
        TCounterSetupForm counter(form);
        save(counter, "counter-setup.png");
    }
    return 0;
}
