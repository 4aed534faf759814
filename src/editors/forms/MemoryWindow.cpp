#include "editors/forms/MemoryWindow.h"

#include "app/Checksum.h"
#include "app/forms/MainForm.h"
#include "editors/EditorCells.h"
#include "editors/forms/EditSingleData.h"
#include "editors/forms/HexGrid.h"

#include <QCloseEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const HexGridTexts kMemoryGrid = {MemoryGridRows, kMemoryGridColumns, MemoryCellText, MemoryColumnHeader,
                                  MemoryRowLabel};

}  // namespace

TMDIChild::TMDIChild(TMainForm& main, QWidget* parent) : QWidget(parent), Main(main)
{
    setObjectName(QStringLiteral("MDIChild"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    Workspace& ws = Main.GetWorkspace();
    setWindowTitle(ws.ProgramFileName.empty() ? QStringLiteral("Program Memory")
                                              : QString::fromLatin1(ws.ProgramFileName.c_str()));
    GridModel = new HexGridModel(ws, kMemoryGrid, this);
    StringGrid1 = MakeHexGridView(GridModel, 40, 4, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
    connect(StringGrid1, &QTableView::doubleClicked, this, &TMDIChild::StringGrid1DblClick);
    resize(400, 319);
    MemoryWindowForm = this;
    ws.MemoryWindow = this;
}

TMDIChild* MemoryWindowForm = nullptr;

// The main window's workspace may be gone already when the window goes with
// it: only the global is cleared here.
TMDIChild::~TMDIChild()
{
    if (MemoryWindowForm == this) MemoryWindowForm = nullptr;
}

void TMDIChild::FormCreate() { GridModel->Refresh(); }

void TMDIChild::StringGrid1DblClick()
{
    // The cell selected when the edit began takes the value, whatever the
    // selection does while the editor is up.
    const QModelIndex cell = StringGrid1->currentIndex();
    if (!cell.isValid()) return;
    Workspace& ws = Main.GetWorkspace();
    const std::string shown = GridModel->CellText(cell);
    const std::optional<uint32_t> value =
        RunWordEditor(Main.GetNotifier(), QString::fromStdString(shown), WordEditorLimit(ws.DeviceFamily), this);
    if (!value) return;
    if (StoreProgramWord(ws, GridModel->CellIndex(cell), shown, *value) == CellStore::Stored)
        GridModel->CellChanged(cell);
    CalChecksum(ws);
    Main.ShowStatus();
}

void TMDIChild::closeEvent(QCloseEvent* event)
{
    Main.GetWorkspace().MemoryWindowOpen = false;
    Main.GetWorkspace().MemoryWindow = nullptr;
    event->accept();
}

TMDIChild* OpenMemoryWindow(const TMainForm&) { return MemoryWindowForm; }
