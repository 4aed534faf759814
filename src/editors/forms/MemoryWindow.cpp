#include "editors/forms/MemoryWindow.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "editors/EditorCells.h"

#include <QCloseEvent>
#include <QTableView>

namespace {

const HexGridTexts kMemoryGrid = {MemoryGridRows<GridImage>, kMemoryGridColumns, MemoryCellText<GridImage>, MemoryColumnHeader,
                                  MemoryRowLabel};

}  // namespace

TMDIChild::TMDIChild(MainContext& main, QWidget* parent) : HexGridWindow(main, kMemoryGrid, 40, 4, parent)
{
    setObjectName(QStringLiteral("MDIChild"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    Workspace& ws = Main.GetWorkspace();
    setWindowTitle(ws.ProgramFileName.empty() ? QStringLiteral("Program Memory")
                                              : QString::fromLatin1(ws.ProgramFileName.c_str()));
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

void TMDIChild::StringGrid1DblClick()
{
    EditCell(WordEditorLimit(Main.GetWorkspace().DeviceFamily), StoreProgramWord);
}

void TMDIChild::closeEvent(QCloseEvent* event)
{
    Main.GetWorkspace().MemoryWindowOpen = false;
    Main.GetWorkspace().MemoryWindow = nullptr;
    event->accept();
}

TMDIChild* OpenMemoryWindow(const MainContext&) { return MemoryWindowForm; }
