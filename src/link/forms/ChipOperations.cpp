#include "link/forms/ChipOperations.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "editors/forms/EditorWindows.h"
#include "link/OperationDispatch.h"
#include "link/forms/ProgramVerifyForm.h"


namespace {

class MainFormOperations : public OperationWindows {
public:
    explicit MainFormOperations(MainContext& form) : form_(form) {}

    std::string PortText() override { return form_.PortText(); }

    void ShowProgressDialog() override
    {
        MainContext& form = form_;
        auto takeControls = [&form] { return EngineControls{form.SelectedDevice(), form.Engineering()}; };
        // The engine's copy of the status texts, drawn without touching the
        // workspace the engine is still writing.
        auto onStatus = [&form](const StatusPanel& s) { form.ShowStatus(s); };
        auto onQtpSim = [&form](const QString& caption) { form.SetQtpSimCaption(caption); };
        TfmProgramVerify dialog(form.GetWorkspace(), form.GetNotifier(), takeControls, onStatus, onQtpSim, form.Window());
        dialog.exec();
    }

    void RebuildMemoryWindow() override { form_.RebuildMemoryGrid(); }
    void RebuildEepromWindow() override { editor_windows::RebuildEepromGrid(form_); }
    void ApplyActions(const GuiActions& actions) override { form_.ApplyGuiActions(actions); }
    void TileHorizontally() override { form_.TileHorizontally(); }
    void UpdateScreen() override { form_.UpdateScreen(); }
    void CloseDisassembly() override { form_.DestroyDisasmWindow(); }
    void StatusChanged() override { form_.ShowStatus(); }
    std::string DeviceText() override { return form_.SelectedDevice(); }

private:
    MainContext& form_;
};

}  // namespace

void RunChipCommand(MainContext& form, int32_t code)
{
    MainFormOperations windows(form);
    RunOperation(form.GetWorkspace(), form.GetNotifier(), windows, code);
}
