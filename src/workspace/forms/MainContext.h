// What a form may use of the main window, and no more: the workspace, the
// notifier, the status panel, the commands' enabled state, the selectors,
// the engineering panel's values and the child-window hooks. Every form
// receives it in its constructor (or its opening function), so a form never
// includes the main window and can be built and tested on its own.
#pragma once

#include "workspace/EngineeringValues.h"

#include <functional>
#include <string>

class Notifier;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QString;
class QWidget;
struct GuiActions;
struct StatusPanel;
struct Workspace;

class MainContext {
public:
    virtual Workspace& GetWorkspace() = 0;
    virtual Notifier& GetNotifier() = 0;
    // The window the dialogs of a form are shown over.
    virtual QWidget* Window() = 0;

    // Redraws the status panel from Workspace::Status, or from a copy such as
    // the one a running engine hands over while it still writes the workspace.
    virtual void ShowStatus() = 0;
    virtual void ShowStatus(const StatusPanel& status) = 0;
    // The texts the status panel shows now.
    virtual const StatusPanel& ShownStatus() const = 0;

    // A command's action by any of its control names (null when there is
    // none), and the enabled state the rules want for it.
    virtual QAction* Action(const QString& name) const = 0;
    virtual void EnableAction(const QString& name, bool enabled) = 0;

    // The port and device selectors. The setters select without running the
    // change handlers; SetSelectedDevice is false when there is no such item.
    virtual std::string PortText() const = 0;
    virtual int PortIndex() const = 0;
    virtual void SetPortIndex(int index) = 0;
    virtual std::string SelectedDevice() const = 0;
    virtual bool SetSelectedDevice(const std::string& partNumber) = 0;

    // The engineering panel: its values as one snapshot, whether it is
    // shown, and the caption of its "QTP Sim" switch.
    virtual EngineeringValues Engineering() const = 0;
    virtual bool EngineeringPanelShown() const = 0;
    virtual void ShowEngineeringPanel(bool shown) = 0;
    virtual void SetQtpSimCaption(const QString& caption) = 0;

    // The child windows: the client area, adding one, the arrangement, and
    // re-creating them after the workspace changed. `shape` gives the new
    // frame its size (and border) before the client area places and shows it.
    virtual QMdiArea* ClientArea() const = 0;
    virtual QMdiSubWindow* AddChildWindow(QWidget* child, const std::function<void(QMdiSubWindow&)>& shape) = 0;
    virtual void TileHorizontally() = 0;
    virtual void UpdateScreen() = 0;
    virtual void ApplyGuiActions(const GuiActions& actions) = 0;
    virtual void RebuildMemoryGrid() = 0;
    virtual void RebuildEepromGrid() = 0;
    virtual void RecreateEEDataForm() = 0;
    virtual void DestroyDisasmWindow() = 0;

protected:
    ~MainContext() = default;
};
