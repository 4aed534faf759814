#include "editors/forms/EditorWindows.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "editors/forms/CounterSetupForm.h"
#include "editors/forms/EEDataForm.h"
#include "editors/forms/HexGrid.h"
#include "editors/forms/IDChecksumForm.h"
#include "editors/forms/MemoryWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace editor_windows {

namespace {

void BringToFront(MainContext& main, QWidget* form)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    if (!frame) return;
    frame->show();
    if (frame->isMinimized()) frame->showNormal();
    main.ClientArea()->setActiveSubWindow(frame);
}

void AddWindow(MainContext& main, QWidget* form, int width, int height)
{
    main.AddChildWindow(form, [=](QMdiSubWindow& frame) { frame.resize(width, height); });
}

void CreateMemoryWindow(MainContext& main)
{
    AddWindow(main, new TMDIChild(main), 400, 319);
}

void CreateIdChecksumForm(MainContext& main)
{
    auto* form = new TIDChecksumForm(main);
    main.AddChildWindow(form, [form](QMdiSubWindow& frame) {
        // A single border with the system menu and the minimise box.
        frame.setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        form->SetHeight(TIDChecksumForm::kCollapsedHeight);
    });
}

void CreateEepromForm(MainContext& main) { AddWindow(main, new TEEDataForm(main), 487, 195); }

}  // namespace

void ShowMemoryWindow(MainContext& main)
{
    Workspace& ws = main.GetWorkspace();
    if (ws.MemoryWindowOpen && OpenMemoryWindow(main)) {
        BringToFront(main, OpenMemoryWindow(main));
        return;
    }
    CreateMemoryWindow(main);
    ws.MemoryWindowOpen = true;
}

void RecreateMemoryWindow(MainContext& main)
{
    if (TMDIChild* old = OpenMemoryWindow(main)) {
        main.GetWorkspace().MemoryWindow = nullptr;
        DeleteChildWindow(old);
    }
    CreateMemoryWindow(main);
}

void RebuildMemoryGrid(MainContext& main)
{
    if (TMDIChild* window = OpenMemoryWindow(main)) window->FormCreate();
}

void ShowIdChecksumForm(MainContext& main)
{
    Workspace& ws = main.GetWorkspace();
    if (ws.IDFormOpen && IDChecksumForm) {
        BringToFront(main, IDChecksumForm);
        return;
    }
    CreateIdChecksumForm(main);
    ws.IDFormOpen = true;
}

void RecreateIdChecksumForm(MainContext& main)
{
    if (IDChecksumForm) DeleteChildWindow(IDChecksumForm);
    CreateIdChecksumForm(main);
}

void RecreateEepromForm(MainContext& main)
{
    DestroyEepromForm(main);
    CreateEepromForm(main);
}

void RebuildEepromGrid(MainContext&)
{
    if (EEDataForm) EEDataForm->FormCreate();
}

void DestroyEepromForm(MainContext&)
{
    if (EEDataForm) DeleteChildWindow(EEDataForm);
}

void ShowEepromForm(MainContext& main)
{
    if (!EEDataForm) CreateEepromForm(main);
    BringToFront(main, EEDataForm);
}

void RunCounterSetup(MainContext& main)
{
    TCounterSetupForm dialog(main, main.Window());
    dialog.exec();
}

}  // namespace editor_windows
