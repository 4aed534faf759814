#include "link/forms/ChipOperations.h"

#include "app/forms/MainForm.h"
#include "editors/forms/EditorWindows.h"
#include "link/OperationDispatch.h"
#include "link/forms/ProgramVerifyForm.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class MainFormOperations : public OperationWindows {
public:
    explicit MainFormOperations(TMainForm& form) : form_(form) {}

    std::string PortText() override { return form_.ComboBox1->currentText().toStdString(); }

    void ShowProgressDialog() override
    {
        TMainForm& form = form_;
        auto takeControls = [&form] {
            EngineControls c;
            c.DeviceText = form.SelectedDevice();
            c.EngineeringPanelVisible = form.Panel2 && form.Panel2->isVisible();
            if (form.EraseWidth) c.EraseWidth = form.EraseWidth->text().toStdString();
            if (form.PulseWidth) c.PulseWidth = form.PulseWidth->text().toStdString();
            if (form.Mode65) c.Mode65Index = std::max(0, form.Mode65->currentIndex());
            return c;
        };
        // The engine's copy of the status texts, drawn without touching the
        // workspace the engine is still writing.
        auto onStatus = [&form](const StatusPanel& s) { form.ShowStatus(s); };
        auto onQtpSim = [&form](const QString& caption) {
            if (form.QtpSim) form.QtpSim->setText(caption);
        };
        TfmProgramVerify dialog(form.GetWorkspace(), form.GetNotifier(), takeControls, onStatus, onQtpSim, &form);
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
    TMainForm& form_;
};

}  // namespace

void RunChipCommand(TMainForm& form, int32_t code)
{
    MainFormOperations windows(form);
    RunOperation(form.GetWorkspace(), form.GetNotifier(), windows, code);
}
