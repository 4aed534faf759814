// The program-memory window: the workspace's program words as a grid of
// four-digit hexadecimal numbers, eight a row, each opened for editing by a
// double-click. It reads the buffer through a model, so the refresh after a
// run (FormCreate again) redraws in place.
#pragma once

#include <QModelIndex>
#include <QWidget>

class HexGridModel;
class QTableView;
class TMainForm;

class TMDIChild : public QWidget {
    Q_OBJECT
public:
    explicit TMDIChild(TMainForm& main, QWidget* parent = nullptr);
    ~TMDIChild() override;

    // Builds the grid from the buffer; run again, it is the refresh.
    void FormCreate();
    // Edits the word of the selected cell.
    void StringGrid1DblClick();

    HexGridModel* Model() const { return GridModel; }
    QTableView* StringGrid1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TMainForm& Main;
    HexGridModel* GridModel = nullptr;
};

// The open program-memory window, or null.
extern TMDIChild* MemoryWindowForm;
TMDIChild* OpenMemoryWindow(const TMainForm& main);
