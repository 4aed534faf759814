#include "editors/forms/HexGrid.h"

#include "workspace/Checksum.h"
#include "workspace/Workspace.h"
#include "workspace/forms/MainContext.h"
#include "editors/EditorCells.h"
#include "editors/forms/EditSingleData.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>

HexGridModel::HexGridModel(const Workspace& ws, const HexGridTexts& texts, QObject* parent)
    : QAbstractTableModel(parent), Ws(ws), Shown(std::make_unique<GridImage>()), Texts(texts)
{
    TakeGridImage(*Shown, Ws);
    RowCount = Texts.Rows(*Shown);
}

HexGridModel::~HexGridModel() = default;

int HexGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : RowCount; }

int HexGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Texts.Columns; }

uint32_t HexGridModel::CellIndex(const QModelIndex& index) const
{
    return static_cast<uint32_t>(index.row()) * static_cast<uint32_t>(Texts.Columns) +
           static_cast<uint32_t>(index.column());
}

std::string HexGridModel::CellText(const QModelIndex& index) const { return Texts.Cell(*Shown, CellIndex(index)); }

QVariant HexGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(CellText(index));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

QVariant HexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromStdString(orientation == Qt::Horizontal ? Texts.ColumnHeader(section)
                                                                : Texts.RowLabel(section));
}

void HexGridModel::Refresh()
{
    TakeGridImage(*Shown, Ws);
    const int rows = Texts.Rows(*Shown);
    if (rows != RowCount) {
        beginResetModel();
        RowCount = rows;
        endResetModel();
    } else if (RowCount > 0) {
        emit dataChanged(index(0, 0), index(RowCount - 1, Texts.Columns - 1), {Qt::DisplayRole});
    }
}

void HexGridModel::CellChanged(const QModelIndex& cell)
{
    TakeGridImage(*Shown, Ws);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

QTableView* MakeHexGridView(HexGridModel* model, int columnWidth, int digits, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setObjectName(QStringLiteral("StringGrid1"));
    view->setModel(model);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    view->setFont(fixed);
    view->verticalHeader()->setFont(fixed);
    view->horizontalHeader()->setFont(fixed);
    view->setFrameShape(QFrame::NoFrame);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setShowGrid(true);
    view->setWordWrap(false);
    // The digits of the fixed font must fit whatever its size.
    const int width = std::max(columnWidth, QFontMetrics(fixed).horizontalAdvance(QString(digits, QLatin1Char('0'))) + 10);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setDefaultSectionSize(width);
    view->horizontalHeader()->setMinimumSectionSize(10);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(10);
    view->verticalHeader()->setDefaultSectionSize(std::max(20, QFontMetrics(fixed).height() + 4));
    view->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    return view;
}

void DoubleClickLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked();
    event->accept();
}

void CloseChildWindow(QWidget* form)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        frame->close();
    else
        form->close();
}

void DeleteChildWindow(QWidget* form)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        delete frame;
    else
        delete form;
}

HexGridWindow::HexGridWindow(MainContext& main, const HexGridTexts& texts, int columnWidth, int digits,
                             QWidget* parent)
    : QWidget(parent), Main(main)
{
    GridModel = new HexGridModel(Main.GetWorkspace(), texts, this);
    StringGrid1 = MakeHexGridView(GridModel, columnWidth, digits, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
}

void HexGridWindow::FormCreate() { GridModel->Refresh(); }

void HexGridWindow::EditCell(uint32_t limit, Store store)
{
    const QModelIndex cell = StringGrid1->currentIndex();
    if (!cell.isValid()) return;
    Workspace& ws = Main.GetWorkspace();
    const std::string shown = GridModel->CellText(cell);
    // The editor itself refuses a value above the limit, with its message,
    // rather than the window dropping it afterwards.
    const std::optional<uint32_t> value = RunWordEditor(Main.GetNotifier(), QString::fromStdString(shown), limit, this);
    if (!value) return;
    if (store(ws, GridModel->CellIndex(cell), shown, *value) == CellStore::Stored) GridModel->CellChanged(cell);
    CalChecksum(ws);
    Main.ShowStatus();
}
