// The program-memory window: the workspace's program words as a grid of
// four-digit hexadecimal numbers, eight a row, each opened for editing by a
// double-click. It reads the buffer through a model, so the refresh after a
// run (FormCreate again) redraws in place.
#pragma once

#include "editors/forms/HexGrid.h"

class TMDIChild : public HexGridWindow {
    Q_OBJECT
public:
    explicit TMDIChild(MainContext& main, QWidget* parent = nullptr);
    ~TMDIChild() override;

    // Edits the word of the selected cell.
    void StringGrid1DblClick();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The open program-memory window, or null.
extern TMDIChild* MemoryWindowForm;
TMDIChild* OpenMemoryWindow(const MainContext& main);
