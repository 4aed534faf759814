#include "editors/forms/EEDataForm.h"

#include "app/Checksum.h"
#include "app/forms/MainForm.h"
#include "editors/EditorCells.h"
#include "editors/forms/EditSingleData.h"
#include "editors/forms/HexGrid.h"

#include <QCloseEvent>
#include <QTableView>
#include <QVBoxLayout>

TEEDataForm* EEDataForm = nullptr;

namespace {

const HexGridTexts kEepromGrid = {EepromGridRows, kEepromGridColumns, EepromCellText, EepromColumnHeader,
                                  EepromRowLabel};

}  // namespace

TEEDataForm::TEEDataForm(TMainForm& main, QWidget* parent) : QWidget(parent), Main(main)
{
    setObjectName(QStringLiteral("EEDataForm"));
    setWindowTitle(QStringLiteral("EEPROM data"));
    GridModel = new HexGridModel(Main.GetWorkspace(), kEepromGrid, this);
    StringGrid1 = MakeHexGridView(GridModel, 30, 2, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
    connect(StringGrid1, &QTableView::doubleClicked, this, &TEEDataForm::StringGrid1DblClick);
    resize(487, 195);
    EEDataForm = this;
}

TEEDataForm::~TEEDataForm()
{
    if (EEDataForm == this) EEDataForm = nullptr;
}

void TEEDataForm::FormCreate() { GridModel->Refresh(); }

void TEEDataForm::StringGrid1DblClick()
{
    const QModelIndex cell = StringGrid1->currentIndex();
    if (!cell.isValid()) return;
    Workspace& ws = Main.GetWorkspace();
    const std::string shown = GridModel->CellText(cell);
    // The editor itself refuses a value above one byte, with its message,
    // rather than the window dropping it afterwards.
    const std::optional<uint32_t> value =
        RunWordEditor(Main.GetNotifier(), QString::fromStdString(shown), kEepromByteLimit, this);
    if (!value) return;
    if (StoreEepromByte(ws, GridModel->CellIndex(cell), shown, *value) == CellStore::Stored)
        GridModel->CellChanged(cell);
    CalChecksum(ws);
    Main.ShowStatus();
}

void TEEDataForm::closeEvent(QCloseEvent* event)
{
    Main.GetWorkspace().EepromWindowOpen = false;
    event->accept();
}
