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

struct Workspace;
class QTableView;

// What a grid shows: its size and the texts of its cells and headers.
struct HexGridTexts {
    int (*Rows)(const Workspace&);
    int Columns;
    std::string (*Cell)(const Workspace&, uint32_t index);
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
    // Copies what the cells read from the workspace into Shown.
    void TakeShown();

    const Workspace& Ws;
    std::unique_ptr<Workspace> Shown;
    HexGridTexts Texts;
    int RowCount = 0;
};

// A view on the model: fixed-pitch digits, columns at least `columnWidth`
// wide and wide enough for `digits` digits, rows 20 pixels high, one cell
// selected at a time, no in-place editing.
QTableView* MakeHexGridView(HexGridModel* model, int columnWidth, int digits, QWidget* parent);

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
