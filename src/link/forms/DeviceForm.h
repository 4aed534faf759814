// "Device select": the user checks up to 16 catalogue devices and downloads
// them into the writer's device list. The download runs on a thread of its
// own with the link's time-outs; the buttons wait while it runs, and closing
// the window stops it at its next wait.
#pragma once

#include "platform/forms/GuiReportQueue.h"

#include <QDialog>


struct Workspace;
class Notifier;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;

class TDeviceForm : public QDialog {
    Q_OBJECT
public:
    TDeviceForm(Workspace& ws, Notifier& notifier, QWidget* parent = nullptr);
    ~TDeviceForm() override;

    QLabel* Label1 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QProgressBar* CGauge1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* StaticText1 = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnDefult = nullptr;
    QPushButton* DownLoad = nullptr;
    QPushButton* Exit = nullptr;

    int CheckedCount() const { return checkedCount_; }
    bool Downloading() const { return worker_.Started(); }
    // The link's limit per expected byte in hundredths (tests shorten it).
    void SetTimeoutHundredths(int hundredths) { timeoutHundredths_ = hundredths; }

    void done(int result) override;

public slots:
    void CheckListBox1ClickCheck(QListWidgetItem* item);
    void btnClearClick();
    void btnDefultClick();
    void DownLoadClick();

private:
    void ShowCount();
    void SetButtonsEnabled(bool enabled);
    void DownloadFinished();
    void StopDownload();

    Workspace& ws_;
    Notifier& direct_;          // messages of the GUI thread
    GuiReportQueue reports_;    // reports of the download thread
    WorkerNotifier notifier_;   // its messages
    int rowCount_ = 0;
    int checkedCount_ = 0;
    bool settingChecks_ = false;
    int timeoutHundredths_ = 500;
    Worker worker_;
};

extern TDeviceForm* DeviceForm;
