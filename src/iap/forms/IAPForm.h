// "FW UpData Form": loads a writer firmware image and sends it to the writer
// block by block. It exists from start-up to exit, hidden; the engineering
// panel's "FW Update" shows it. The update runs on a worker thread (the core
// exchange of iap/FirmwareUpdate) and reports here through queued copies;
// the buttons wait while it runs, and closing the window stops it at its
// next wait and joins the thread.
#pragma once

#include "iap/FirmwareImage.h"
#include "iap/FirmwareUpdate.h"
#include "platform/forms/GuiReportQueue.h"

#include <QWidget>

#include <memory>

struct Workspace;
class Notifier;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

class TIAPForm : public QWidget {
    Q_OBJECT
public:
    TIAPForm(Workspace& ws, Notifier& notifier, QWidget* parent = nullptr);
    ~TIAPForm() override;

    QLabel* Label1 = nullptr;
    QLineEdit* FWBinPath = nullptr;
    QPushButton* BTOpBin = nullptr;
    QPushButton* BTUPData = nullptr;
    QProgressBar* CGauge1 = nullptr;
    QStatusBar* IAPStatusBox = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPlainTextEdit* TxData = nullptr;
    QPlainTextEdit* RxData = nullptr;
    QPlainTextEdit* LogWindow = nullptr;
    QPlainTextEdit* CatchThread = nullptr;

    // Loads the image at path as "OpenFile.." does once a file was chosen.
    void OpenImage(const QString& path);
    bool Updating() const { return worker_.Started(); }
    bool DebugView() const { return debugView_; }
    // Time limits and pauses of the exchange (tests shorten them).
    void SetTiming(const IapTiming& timing, int blockTimeoutHundredths);

public slots:
    void BTOpBinClick();
    void BTUPDataClick();
    void Label1DblClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void UpdateFinished();
    void StopUpdate();
    Workspace& Ws();
    Notifier& Notify();

    Workspace& ws_;
    Notifier& notifier_;
    FirmwareImage image_;
    bool imageLoaded_ = false;
    bool debugView_ = false;
    IapTiming timing_;
    int blockTimeoutHundredths_ = 500;
    GuiReportQueue reports_;
    std::unique_ptr<Notifier> queuedNotifier_;
    std::unique_ptr<FirmwareReporter> reporter_;
    Worker worker_;
};

extern TIAPForm* IAPForm;

// Shows the firmware-update window (made on first use when start-up made none).
void ShowFirmwareUpdate(Workspace& ws, Notifier& notifier, QWidget* owner);
