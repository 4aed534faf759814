#include "link/forms/DeviceForm.h"

#include "workspace/DeviceCatalogue.h"
#include "workspace/Workspace.h"
#include "link/DeviceDownload.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <vector>

TDeviceForm* DeviceForm = nullptr;

TDeviceForm::TDeviceForm(Workspace& ws, Notifier& notifier, QWidget* parent)
    : QDialog(parent), ws_(ws), direct_(notifier),
      notifier_(reports_, notifier, [this] { return worker_.CancelFlag().load(); })
{
    setObjectName(QStringLiteral("DeviceForm"));
    setWindowTitle(QStringLiteral("Device select"));
    auto* grid = new QGridLayout(this);
    Label1 = new QLabel(QStringLiteral("Maxium 16 devices can be selected."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    Label1->setFont(big);
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setAccessibleName(Label1->text());   // a list view takes no name from a buddy
    CGauge1 = new QProgressBar(this);
    CGauge1->setObjectName(QStringLiteral("CGauge1"));
    CGauge1->setRange(0, 100);
    CGauge1->setValue(0);
    Label2 = new QLabel(QStringLiteral("Total selected devices :"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    StaticText1 = new QLabel(QStringLiteral("0"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto makeButton = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    btnClear = makeButton("btnClear", "Clear");
    btnDefult = makeButton("btnDefult", "Select defult");
    DownLoad = makeButton("DownLoad", "Download");
    Exit = makeButton("Exit", "Exit");
    grid->addWidget(Label1, 0, 0, 1, 4);
    grid->addWidget(CheckListBox1, 1, 0, 1, 4);
    grid->addWidget(CGauge1, 2, 0, 1, 4);
    grid->addWidget(Label2, 3, 0, 1, 2);
    grid->addWidget(StaticText1, 3, 2, 1, 2);
    grid->addWidget(btnClear, 4, 0);
    grid->addWidget(btnDefult, 4, 1);
    grid->addWidget(DownLoad, 4, 2);
    grid->addWidget(Exit, 4, 3);

    // FormCreate: every catalogue name, none checked.
    for (int i = 0;; ++i) {
        const std::string name = GetIcName(i);
        if (name.empty()) break;
        auto* item = new QListWidgetItem(QString::fromStdString(name), CheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        ++rowCount_;
    }
    connect(CheckListBox1, &QListWidget::itemChanged, this, &TDeviceForm::CheckListBox1ClickCheck);
    connect(btnClear, &QPushButton::clicked, this, &TDeviceForm::btnClearClick);
    connect(btnDefult, &QPushButton::clicked, this, &TDeviceForm::btnDefultClick);
    connect(DownLoad, &QPushButton::clicked, this, &TDeviceForm::DownLoadClick);
    connect(Exit, &QPushButton::clicked, this, &QDialog::reject);
    DeviceForm = this;
}

TDeviceForm::~TDeviceForm()
{
    StopDownload();
    if (DeviceForm == this) DeviceForm = nullptr;
}

void TDeviceForm::ShowCount()
{
    StaticText1->setText(QString::number(checkedCount_));
}

void TDeviceForm::CheckListBox1ClickCheck(QListWidgetItem* item)
{
    if (settingChecks_) return;
    CGauge1->setValue(0);
    if (item->checkState() == Qt::Checked) {
        if (checkedCount_ >= kMaxDownloadDevices) {
            settingChecks_ = true;
            item->setCheckState(Qt::Unchecked);
            settingChecks_ = false;
            direct_.Message(DownloadMessages::kAlready16);
        } else {
            ++checkedCount_;
        }
    } else {
        --checkedCount_;
    }
    ShowCount();
}

void TDeviceForm::btnClearClick()
{
    settingChecks_ = true;
    for (int i = 0; i < CheckListBox1->count(); ++i) CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
    settingChecks_ = false;
    checkedCount_ = 0;
    ShowCount();
}

void TDeviceForm::btnDefultClick()
{
    settingChecks_ = true;
    int walked = 0;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        QListWidgetItem* item = CheckListBox1->item(i);
        if (GetDownload(i) == 0) {
            item->setCheckState(Qt::Unchecked);
        } else if (walked < kMaxDownloadDevices) {
            item->setCheckState(Qt::Checked);
            ++walked;
        }
    }
    settingChecks_ = false;
    checkedCount_ = walked;
    ShowCount();
}

void TDeviceForm::SetButtonsEnabled(bool enabled)
{
    for (QWidget* w : {static_cast<QWidget*>(CheckListBox1), static_cast<QWidget*>(btnClear),
                       static_cast<QWidget*>(btnDefult), static_cast<QWidget*>(DownLoad)})
        w->setEnabled(enabled);
}

void TDeviceForm::DownLoadClick()
{
    if (worker_.Started()) return;
    std::vector<bool> checked;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        checked.push_back(CheckListBox1->item(i)->checkState() == Qt::Checked);
    SetButtonsEnabled(false);
    DownloadProgress progress;
    progress.RowSelected = [this](int row) { reports_.Post([this, row] { CheckListBox1->setCurrentRow(row); }); };
    progress.Gauge = [this](int percent) { reports_.Post([this, percent] { CGauge1->setValue(percent); }); };
    const int hundredths = timeoutHundredths_;
    worker_.Start([this, checked, progress, hundredths] {
        LinkContext context;
        context.Cancel = &worker_.CancelFlag();
        context.TimeoutHundredths = hundredths;
        DownloadDevices(ws_, notifier_, checked, progress, context);
        reports_.Post([this] { DownloadFinished(); });
    });
}

void TDeviceForm::DownloadFinished()
{
    worker_.Join();
    SetButtonsEnabled(true);
}

void TDeviceForm::StopDownload()
{
    worker_.Stop();
}

void TDeviceForm::done(int result)
{
    StopDownload();
    SetButtonsEnabled(true);
    QDialog::done(result);
}
