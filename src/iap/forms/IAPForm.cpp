#include "iap/forms/IAPForm.h"


#include <QCloseEvent>
#include <QFileDialog>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

TIAPForm* IAPForm = nullptr;

namespace {

constexpr QSize kPlainSize(260, 180);
constexpr QSize kDebugSize(495, 420);

// Hands the update's reports to the window's thread.
class QueuedReporter : public FirmwareReporter {
public:
    QueuedReporter(TIAPForm* form, ReportQueue& queue) : form_(form), queue_(queue) {}
    void Status(const std::string& text) override
    {
        Post([text](TIAPForm* f) { f->IAPStatusBox->showMessage(QString::fromStdString(text)); });
    }
    void Gauge(int percent) override
    {
        Post([percent](TIAPForm* f) { f->CGauge1->setValue(percent); });
    }
    void Log(const std::string& line) override
    {
        Post([line](TIAPForm* f) { f->LogWindow->appendPlainText(QString::fromStdString(line)); });
    }
    void Sent(const std::string& line) override
    {
        Post([line](TIAPForm* f) { f->TxData->appendPlainText(QString::fromStdString(line)); });
    }
    void Received(const std::string& line) override
    {
        Post([line](TIAPForm* f) { f->RxData->appendPlainText(QString::fromStdString(line)); });
    }

private:
    template <class F>
    void Post(F f)
    {
        TIAPForm* form = form_;
        queue_.Post([form, f] { f(form); });
    }
    TIAPForm* form_;
    ReportQueue& queue_;
};

}  // namespace

TIAPForm::TIAPForm(Workspace& ws, Notifier& notifier, QWidget* parent)
    : QWidget(parent), ws_(ws), notifier_(notifier)
{
    Build();
}

void TIAPForm::Build()
{
    setObjectName(QStringLiteral("IAPForm"));
    setWindowTitle(QStringLiteral("FW UpData Form"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    // The update owns the writer's port: nothing else may use it meanwhile.
    setWindowModality(Qt::ApplicationModal);
    auto* grid = new QGridLayout(this);
    Label1 = new QLabel(QStringLiteral("Path:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->installEventFilter(this);
    FWBinPath = new QLineEdit(this);
    FWBinPath->setObjectName(QStringLiteral("FWBinPath"));
    FWBinPath->setReadOnly(true);
    BTOpBin = new QPushButton(QStringLiteral("OpenFile.."), this);
    BTOpBin->setObjectName(QStringLiteral("BTOpBin"));
    BTUPData = new QPushButton(QStringLiteral("Up Firmware..."), this);
    BTUPData->setObjectName(QStringLiteral("BTUPData"));
    BTUPData->setEnabled(false);
    CGauge1 = new QProgressBar(this);
    CGauge1->setObjectName(QStringLiteral("CGauge1"));
    CGauge1->setRange(0, 100);
    CGauge1->setValue(0);
    IAPStatusBox = new QStatusBar(this);
    IAPStatusBox->setObjectName(QStringLiteral("IAPStatusBox"));
    IAPStatusBox->setSizeGripEnabled(false);
    auto label = [this](const char* name, const char* text) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto memo = [this](const char* name) {
        auto* m = new QPlainTextEdit(this);
        m->setObjectName(QString::fromLatin1(name));
        m->setReadOnly(true);
        return m;
    };
    Label2 = label("Label2", "Tx");
    Label3 = label("Label3", "Rx");
    Label4 = label("Label4", "Log :");
    TxData = memo("TxData");
    RxData = memo("RxData");
    LogWindow = memo("LogWindow");
    CatchThread = memo("CatchThread");
    // The path and the logs are named by the labels beside them.
    Label1->setBuddy(FWBinPath);
    Label2->setBuddy(TxData);
    Label3->setBuddy(RxData);
    Label4->setBuddy(LogWindow);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(FWBinPath, 0, 1, 1, 3);
    grid->addWidget(BTOpBin, 1, 0, 1, 2);
    grid->addWidget(BTUPData, 1, 2, 1, 2);
    grid->addWidget(CGauge1, 2, 0, 1, 4);
    grid->addWidget(Label2, 3, 0);
    grid->addWidget(Label3, 3, 2);
    grid->addWidget(TxData, 4, 0, 1, 2);
    grid->addWidget(RxData, 4, 2, 1, 2);
    grid->addWidget(Label4, 5, 0);
    grid->addWidget(LogWindow, 6, 0, 1, 2);
    grid->addWidget(CatchThread, 6, 2, 1, 2);
    grid->addWidget(IAPStatusBox, 7, 0, 1, 4);
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, Label3, Label4, TxData, RxData, LogWindow, CatchThread})
        w->setVisible(false);
    resize(kPlainSize);
    connect(BTOpBin, &QPushButton::clicked, this, &TIAPForm::BTOpBinClick);
    connect(BTUPData, &QPushButton::clicked, this, &TIAPForm::BTUPDataClick);
    IAPForm = this;
}

TIAPForm::~TIAPForm()
{
    StopUpdate();
    if (IAPForm == this) IAPForm = nullptr;
}

Workspace& TIAPForm::Ws() { return ws_; }

Notifier& TIAPForm::Notify() { return notifier_; }

void TIAPForm::SetTiming(const IapTiming& timing, int blockTimeoutHundredths)
{
    timing_ = timing;
    blockTimeoutHundredths_ = blockTimeoutHundredths;
}

void TIAPForm::BTOpBinClick()
{
    if (Updating()) return;
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("CBN Files(*.cbn)"));
    if (!path.isEmpty()) OpenImage(path);
}

void TIAPForm::OpenImage(const QString& path)
{
    // Another file never starts or disturbs a transfer that runs.
    if (Updating()) return;
    FirmwareImageResult r = LoadFirmwareImage(QFile::encodeName(path).toStdString());
    imageLoaded_ = r.Message.empty();
    image_ = std::move(r.Image);
    FWBinPath->setText(imageLoaded_ ? path : QString());
    BTUPData->setEnabled(imageLoaded_);
    if (!imageLoaded_) Notify().Message(r.Message);
}

void TIAPForm::BTUPDataClick()
{
    if (Updating() || !imageLoaded_) return;
    BTOpBin->setEnabled(false);
    BTUPData->setEnabled(false);
    CGauge1->setValue(0);
    queuedNotifier_ = std::make_unique<WorkerNotifier>(reports_, Notify(),
                                                       [this] { return worker_.CancelFlag().load(); });
    reporter_ = std::make_unique<QueuedReporter>(this, reports_);
    const int hundredths = blockTimeoutHundredths_;
    Workspace& ws = Ws();
    worker_.Start([this, &ws, hundredths] {
        LinkContext context;
        context.Cancel = &worker_.CancelFlag();
        context.TimeoutHundredths = hundredths;
        RunFirmwareUpdate(ws, *queuedNotifier_, image_, *reporter_, context, timing_);
        reports_.Post([this] { UpdateFinished(); });
    });
}

void TIAPForm::UpdateFinished()
{
    worker_.Join();
    BTOpBin->setEnabled(true);
    BTUPData->setEnabled(imageLoaded_);
}

void TIAPForm::StopUpdate()
{
    worker_.Stop();
}

void TIAPForm::Label1DblClick()
{
    debugView_ = !debugView_;
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, Label3, Label4, TxData, RxData, LogWindow, CatchThread})
        w->setVisible(debugView_);
    resize(debugView_ ? kDebugSize : kPlainSize);
}

bool TIAPForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonDblClick) {
        Label1DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TIAPForm::closeEvent(QCloseEvent* event)
{
    // FormClose: the update stops at its next wait; the link is usable again.
    StopUpdate();
    UpdateFinished();
    Ws().LinkFailed = false;
    QWidget::closeEvent(event);
}

void ShowFirmwareUpdate(Workspace& ws, Notifier& notifier, QWidget* owner)
{
    if (!IAPForm) new TIAPForm(ws, notifier, owner);
    // A stay-on-top window: it opens centred over the window that asked for it.
    if (owner) IAPForm->move(owner->geometry().center() - QPoint(IAPForm->width() / 2, IAPForm->height() / 2));
    IAPForm->show();
    IAPForm->raise();
    IAPForm->activateWindow();
}
