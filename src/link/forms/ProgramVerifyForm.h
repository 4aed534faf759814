// The progress dialog of a chip operation. Showing it starts the engine;
// the engine's reports arrive here as queued calls on the GUI thread.
// "Continue" (or the repeat timer) runs the operation again in the same
// dialog; "Exit", a key after the run, or the close button closes it, and
// closing stops a run that still goes on and waits for its thread.
#pragma once

#include "link/EngineReporter.h"
#include "link/ProgrammingEngine.h"
#include "platform/Notifier.h"
#include "platform/forms/GuiReportQueue.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTimer;

class TfmProgramVerify : public QDialog, public EngineReporter {
    Q_OBJECT
public:
    // takeControls is asked on the GUI thread before every run; onStatus is
    // called on the GUI thread with each copy of the status texts, and
    // onQtpSimCaption with the "QTP Sim" caption.
    TfmProgramVerify(Workspace& ws, Notifier& notifier, std::function<EngineControls()> takeControls,
                     std::function<void(const StatusPanel&)> onStatus,
                     std::function<void(const QString&)> onQtpSimCaption, QWidget* parent = nullptr);
    ~TfmProgramVerify() override;

    // EngineReporter: each call is posted to the GUI thread.
    void SetCaption(ProgressLabel label, const std::string& text) override;
    void SetColour(ProgressLabel label, LabelColour colour) override;
    void SetVisible(ProgressLabel label, bool visible) override;
    void EnableButton(ProgressButton button, bool enabled) override;
    void EnTimer1(bool armRepeat) override;
    void StatusChanged(const StatusPanel& status) override;
    void QtpSimCaption(const std::string& caption) override;

    QLabel* Label(ProgressLabel label) const { return labels_[static_cast<int>(label)]; }
    QPushButton* btExit = nullptr;
    QPushButton* btContinue = nullptr;
    QPushButton* AwsBT = nullptr;
    QTimer* Timer1 = nullptr;
    ProgrammingEngine& Engine() { return engine_; }

    void done(int result) override;

public slots:
    void btContinueClick();
    void Timer1Timer();
    void AwsBTClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void StartRun();
    void ApplyEnTimer1(bool armRepeat);
    void FocusEnabledButton();
    void AutoWriterWaitAndRepeat();
    void ShowAutoWriterEnd();

    Workspace& ws_;
    std::function<EngineControls()> takeControls_;
    std::function<void(const StatusPanel&)> onStatus_;
    std::function<void(const QString&)> onQtpSimCaption_;
    GuiReportQueue reports_;
    WorkerNotifier engineNotifier_;
    ProgrammingEngine engine_;
    std::array<QLabel*, kProgressLabelCount> labels_{};
    int repeatTicks_ = 0;
    bool started_ = false;
    bool serialModeAtStart_ = false;   // of the run that last started
};

extern TfmProgramVerify* fmProgramVerify;
