#include "editors/forms/EditorWindows.h"

#include "app/forms/MainForm.h"
#include "editors/forms/CounterSetupForm.h"
#include "editors/forms/EEDataForm.h"
#include "editors/forms/HexGrid.h"
#include "editors/forms/IDChecksumForm.h"
#include "editors/forms/MemoryWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace editor_windows {

namespace {

void BringToFront(TMainForm& main, QWidget* form)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    if (!frame) return;
    frame->show();
    if (frame->isMinimized()) frame->showNormal();
    main.ClientArea()->setActiveSubWindow(frame);
}

template <typename Form>
Form* AddWindow(TMainForm& main, Form* form, int width, int height)
{
    QMdiSubWindow* frame = main.AddChildWindow(form);
    frame->resize(width, height);
    return form;
}

void CreateMemoryWindow(TMainForm& main)
{
    AddWindow(main, new TMDIChild(main), 400, 319);
}

void CreateIdChecksumForm(TMainForm& main)
{
    auto* form = new TIDChecksumForm(main);
    QMdiSubWindow* frame = main.AddChildWindow(form);
    // A single border with the system menu and the minimise box.
    frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    frame->show();
    form->SetHeight(TIDChecksumForm::kCollapsedHeight);
}

void CreateEepromForm(TMainForm& main) { AddWindow(main, new TEEDataForm(main), 487, 195); }

}  // namespace

void ShowMemoryWindow(TMainForm& main)
{
    Workspace& ws = main.GetWorkspace();
    if (ws.MemoryWindowOpen && OpenMemoryWindow(main)) {
        BringToFront(main, OpenMemoryWindow(main));
        return;
    }
    CreateMemoryWindow(main);
    ws.MemoryWindowOpen = true;
}

void RecreateMemoryWindow(TMainForm& main)
{
    if (TMDIChild* old = OpenMemoryWindow(main)) {
        main.GetWorkspace().MemoryWindow = nullptr;
        DeleteChildWindow(old);
    }
    CreateMemoryWindow(main);
}

void RebuildMemoryGrid(TMainForm& main)
{
    if (TMDIChild* window = OpenMemoryWindow(main)) window->FormCreate();
}

void ShowIdChecksumForm(TMainForm& main)
{
    Workspace& ws = main.GetWorkspace();
    if (ws.IDFormOpen && IDChecksumForm) {
        BringToFront(main, IDChecksumForm);
        return;
    }
    CreateIdChecksumForm(main);
    ws.IDFormOpen = true;
}

void RecreateIdChecksumForm(TMainForm& main)
{
    if (IDChecksumForm) DeleteChildWindow(IDChecksumForm);
    CreateIdChecksumForm(main);
}

void RecreateEepromForm(TMainForm& main)
{
    DestroyEepromForm(main);
    CreateEepromForm(main);
}

void RebuildEepromGrid(TMainForm&)
{
    if (EEDataForm) EEDataForm->FormCreate();
}

void DestroyEepromForm(TMainForm&)
{
    if (EEDataForm) DeleteChildWindow(EEDataForm);
}

void ShowEepromForm(TMainForm& main)
{
    if (!EEDataForm) CreateEepromForm(main);
    BringToFront(main, EEDataForm);
}

void RunCounterSetup(TMainForm& main)
{
    TCounterSetupForm dialog(main, &main);
    dialog.exec();
}

}  // namespace editor_windows
