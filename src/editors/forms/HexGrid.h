// The grid shared by the program-memory and EEPROM windows: a table model
// over the workspace's buffers, and the view settings both windows use. A
// refresh after a run is one data-changed signal; only the rows on screen
// are drawn again. The model draws from a copy of the few members its cells
// read, taken at each refresh on the GUI thread: a repaint while a run is
// going on (the progress dialog moving over a grid) must never read a
// workspace that the engine thread is writing.
#pragma once

#include <QAbstractTableModel>
#include <QLabel>

#include <cstdint>
#include <memory>
#include <string>

struct GridImage;
struct Workspace;
enum class CellStore;
class QTableView;

// What a grid shows: its size and the texts of its cells and headers.
struct HexGridTexts {
    int (*Rows)(const GridImage&);
    int Columns;
    std::string (*Cell)(const GridImage&, uint32_t index);
    std::string (*ColumnHeader)(int column);
    std::string (*RowLabel)(int row);
};

class HexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    HexGridModel(const Workspace& ws, const HexGridTexts& texts, QObject* parent = nullptr);
    ~HexGridModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The buffer index of a cell: row x columns + column.
    uint32_t CellIndex(const QModelIndex& index) const;
    // The text the cell shows now.
    std::string CellText(const QModelIndex& index) const;
    // Shows the buffer as it is now: the row count again and every cell.
    void Refresh();
    // One cell changed.
    void CellChanged(const QModelIndex& index);

private:
    const Workspace& Ws;
    std::unique_ptr<GridImage> Shown;   // what the cells read, as of the last refresh
    HexGridTexts Texts;
    int RowCount = 0;
};

// A view on the model: fixed-pitch digits, columns at least `columnWidth`
// wide and wide enough for `digits` digits, rows 20 pixels high, one cell
// selected at a time, no in-place editing.
QTableView* MakeHexGridView(HexGridModel* model, int columnWidth, int digits, QWidget* parent);

class MainContext;

// A window of one hex grid over a workspace buffer (program memory or
// EEPROM): the grid fills the window and a double-click edits a cell
// through the word editor.
class HexGridWindow : public QWidget {
public:
    // Builds the grid from the buffer; run again, it is the refresh.
    void FormCreate();

    HexGridModel* Model() const { return GridModel; }
    QTableView* StringGrid1 = nullptr;

protected:
    HexGridWindow(MainContext& main, const HexGridTexts& texts, int columnWidth, int digits, QWidget* parent);
    using Store = CellStore (*)(Workspace&, uint32_t, const std::string&, uint32_t);
    // Edits the cell selected when the edit began, whatever the selection
    // does while the editor is up; stores through `store` unless refused.
    void EditCell(uint32_t limit, Store store);

    MainContext& Main;
    HexGridModel* GridModel = nullptr;
};

// A label that reports double-clicks (the hidden spots and the ID value).
class DoubleClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Closes an editor window as the user's close box does: through its MDI
// frame when it has one.
void CloseChildWindow(QWidget* form);
// Deletes an editor window with its MDI frame without running its close
// handler (the re-creation of a window by a workspace command).
void DeleteChildWindow(QWidget* form);
