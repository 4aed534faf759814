#include "editors/forms/EEDataForm.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "editors/EditorCells.h"

#include <QCloseEvent>
#include <QTableView>

TEEDataForm* EEDataForm = nullptr;

namespace {

const HexGridTexts kEepromGrid = {EepromGridRows<GridImage>, kEepromGridColumns, EepromCellText<GridImage>, EepromColumnHeader,
                                  EepromRowLabel};

}  // namespace

TEEDataForm::TEEDataForm(MainContext& main, QWidget* parent) : HexGridWindow(main, kEepromGrid, 30, 2, parent)
{
    setObjectName(QStringLiteral("EEDataForm"));
    setWindowTitle(QStringLiteral("EEPROM data"));
    connect(StringGrid1, &QTableView::doubleClicked, this, &TEEDataForm::StringGrid1DblClick);
    resize(487, 195);
    EEDataForm = this;
}

TEEDataForm::~TEEDataForm()
{
    if (EEDataForm == this) EEDataForm = nullptr;
}

void TEEDataForm::StringGrid1DblClick() { EditCell(kEepromByteLimit, StoreEepromByte); }

void TEEDataForm::closeEvent(QCloseEvent* event)
{
    Main.GetWorkspace().EepromWindowOpen = false;
    event->accept();
}
