#include "link/forms/ProgramVerifyForm.h"

#include "link/AutoWriter.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TfmProgramVerify* fmProgramVerify = nullptr;

namespace {

QString Shown(const std::string& text)
{
    // Captions are stored with "&&" for a shown "&".
    return QString::fromLatin1(text.c_str()).replace("&&", "&");
}

}  // namespace

TfmProgramVerify::TfmProgramVerify(Workspace& ws, Notifier& notifier,
                                   std::function<EngineControls()> takeControls,
                                   std::function<void(const StatusPanel&)> onStatus,
                                   std::function<void(const QString&)> onQtpSimCaption, QWidget* parent)
    : QDialog(parent, Qt::Tool), ws_(ws), takeControls_(std::move(takeControls)),
      onStatus_(std::move(onStatus)), onQtpSimCaption_(std::move(onQtpSimCaption)),
      engineNotifier_(reports_, notifier, [this] { return engine_.Cancelling(); }),
      engine_(ws, *this, engineNotifier_)
{
    setWindowTitle(QString());
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    const char* names[kProgressLabelCount] = {"stTitle", "lbEraseMsg", "lbBlankCheckMsg", "lbIDMsg",
                                              "lbDataMsg", "lbEEMsg", "lbOptionMsg", "lbQTPMsg",
                                              "lbTotalTime"};
    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName("Bevel1");
    bevel1->setFrameShape(QFrame::StyledPanel);
    auto* inner = new QVBoxLayout(bevel1);
    // Every label keeps its line while hidden or empty, and the dialog its
    // size: the steps of a run show and hide labels, and the dialog must not
    // jump or grow under the operator's eyes while it does. The width takes
    // the longest result line an operator meets (a blank-check failure with
    // address and data).
    const int lineWidth = std::max(
        360, fontMetrics().horizontalAdvance(QStringLiteral("Data ........ not blank at (0000H), Data = 0000H !!")) +
                 4 * fontMetrics().averageCharWidth());
    for (int i = 0; i < kProgressLabelCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(names[i]);
        label->setMinimumWidth(lineWidth);
        label->setMinimumHeight(fontMetrics().height());
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        if (i != static_cast<int>(ProgressLabel::TotalTime)) label->setAlignment(Qt::AlignCenter);
        labels_[i] = label;
        if (i == 0) layout->addWidget(label);
        else inner->addWidget(label);
    }
    layout->addWidget(bevel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Label(ProgressLabel::Title)->setText("Auto Program");
    QFont titleFont = Label(ProgressLabel::Title)->font();
    titleFont.setBold(true);
    Label(ProgressLabel::Title)->setFont(titleFont);
    for (ProgressLabel l : {ProgressLabel::Erase, ProgressLabel::Id, ProgressLabel::Data,
                            ProgressLabel::Eeprom, ProgressLabel::Option, ProgressLabel::Qtp})
        Label(l)->setVisible(false);

    auto* bevel2 = new QFrame(this);
    bevel2->setObjectName("Bevel2");
    bevel2->setFrameShape(QFrame::StyledPanel);
    auto* buttons = new QHBoxLayout(bevel2);
    btExit = new QPushButton("Exit", this);
    btExit->setObjectName("btExit");
    btContinue = new QPushButton("Continue", this);
    btContinue->setObjectName("btContinue");
    btContinue->setDefault(true);
    AwsBT = new QPushButton("AutoWriter Stop", this);
    AwsBT->setObjectName("AwsBT");
    AwsBT->setVisible(false);
    buttons->addWidget(btContinue);
    buttons->addWidget(btExit);
    buttons->addWidget(AwsBT);
    layout->addWidget(bevel2);
    btExit->setEnabled(false);
    btContinue->setEnabled(false);

    // FormCreate: the repeat timer starts disabled.
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer1->stop();

    // Every key reaches the dialog first, also while a button has the
    // focus: a key after the run closes the dialog rather than pressing
    // the focused button.
    for (QPushButton* button : {btExit, btContinue, AwsBT}) button->installEventFilter(this);

    connect(btExit, &QPushButton::clicked, this, &QDialog::accept);
    connect(btContinue, &QPushButton::clicked, this, &TfmProgramVerify::btContinueClick);
    connect(Timer1, &QTimer::timeout, this, &TfmProgramVerify::Timer1Timer);
    connect(AwsBT, &QPushButton::clicked, this, &TfmProgramVerify::AwsBTClick);
    fmProgramVerify = this;
}

TfmProgramVerify::~TfmProgramVerify()
{
    engine_.Stop();
    if (fmProgramVerify == this) fmProgramVerify = nullptr;
}

// ---- reports from the engine thread --------------------------------------

void TfmProgramVerify::SetCaption(ProgressLabel label, const std::string& text)
{
    reports_.Post([this, label, text] { Label(label)->setText(Shown(text)); });
}

void TfmProgramVerify::SetColour(ProgressLabel label, LabelColour colour)
{
    reports_.Post([this, label, colour] {
        QLabel* l = Label(label);
        QPalette p = l->palette();
        QColor c = palette().color(QPalette::WindowText);
        if (colour == LabelColour::Red) c = QColor(255, 0, 0);
        if (colour == LabelColour::Black) c = Qt::black;
        p.setColor(QPalette::WindowText, c);
        l->setPalette(p);
    });
}

void TfmProgramVerify::SetVisible(ProgressLabel label, bool visible)
{
    reports_.Post([this, label, visible] { Label(label)->setVisible(visible); });
}

void TfmProgramVerify::EnableButton(ProgressButton button, bool enabled)
{
    reports_.Post([this, button, enabled] {
        (button == ProgressButton::Exit ? btExit : btContinue)->setEnabled(enabled);
        FocusEnabledButton();
    });
}

void TfmProgramVerify::EnTimer1(bool armRepeat)
{
    reports_.Post([this, armRepeat] { ApplyEnTimer1(armRepeat); });
}

void TfmProgramVerify::StatusChanged(const StatusPanel& status)
{
    reports_.Post([this, status] { if (onStatus_) onStatus_(status); });
}

void TfmProgramVerify::QtpSimCaption(const std::string& caption)
{
    reports_.Post([this, caption] { if (onQtpSimCaption_) onQtpSimCaption_(QString::fromStdString(caption)); });
}

// ---- dialog events -------------------------------------------------------

void TfmProgramVerify::StartRun()
{
    // The previous run has reported its end; wait for its last step before
    // the next one reads the workspace.
    engine_.Join();
    serialModeAtStart_ = ws_.SerialModeOn;
    engine_.Start(takeControls_ ? takeControls_() : EngineControls{});
}

void TfmProgramVerify::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    Label(ProgressLabel::TotalTime)->setText(QString());
    // An armed repetition starts counting afresh and offers its stop button.
    if (ws_.AutoWriterOn) {
        BeginAutoWriterRepetition(ws_);
        ws_.AutoWriterButtonOn = true;
    }
    if (ws_.AutoWriterButtonOn) AwsBT->setVisible(true);
    StartRun();
}

void TfmProgramVerify::ApplyEnTimer1(bool armRepeat)
{
    repeatTicks_ = 0;
    // This report is the run's last act: once its thread is joined the
    // workspace is the dialog's to read.
    engine_.Join();
    // A run that ended serial mode (the QTP file ran out, no next number)
    // ends the production: Continue would program the last number again, so
    // it stays off and Exit takes Enter for the rest of this dialog.
    const bool productionEnded = serialModeAtStart_ && !ws_.SerialModeOn;
    // An armed repetition alone restarts the run, after its own pause: the
    // handler's one-second restart beside it would start a second run over
    // the one it started, and its restarts would escape the count and the stop.
    if (armRepeat && !ws_.AutoWriterOn) Timer1->start();
    else Timer1->stop();
    btContinue->setEnabled(!productionEnded);
    btExit->setEnabled(true);
    if (productionEnded) btExit->setDefault(true);
    FocusEnabledButton();
    if (ws_.AutoWriterOn && productionEnded) ShowAutoWriterEnd();
    else if (ws_.AutoWriterOn) AutoWriterWaitAndRepeat();
}

// While a run goes on both buttons are disabled and the focus has nowhere
// to go; when the run ends it belongs on a button again, or the keyboard
// could not reach the dialog: "Continue" when it is enabled (it is the
// default button), else "Exit" (a pre-check end offers only that).
void TfmProgramVerify::FocusEnabledButton()
{
    if (btContinue->isEnabled()) btContinue->setFocus();
    else if (btExit->isEnabled()) btExit->setFocus();
}

void TfmProgramVerify::btContinueClick()
{
    btContinue->setEnabled(false);
    btExit->setEnabled(false);
    for (ProgressLabel l : {ProgressLabel::Erase, ProgressLabel::BlankCheck, ProgressLabel::Data,
                            ProgressLabel::Id, ProgressLabel::Option, ProgressLabel::Eeprom}) {
        QLabel* label = Label(l);
        label->setVisible(false);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
        label->setPalette(p);
    }
    StartRun();
}

void TfmProgramVerify::Timer1Timer()
{
    ++repeatTicks_;
    if (repeatTicks_ >= 1) {
        Timer1->stop();
        btContinueClick();
    }
}

void TfmProgramVerify::AwsBTClick()
{
    ws_.AutoWriterStop = true;
}

// The pause of the automatic repetition, on the GUI thread: after the delay
// the run is repeated unless a stop was asked for or the count is reached.
void TfmProgramVerify::AutoWriterWaitAndRepeat()
{
    const int delay = std::max(0, ws_.AutoWriterDelay);
    QTimer::singleShot(delay + 1, this, [this] {
        if (!btContinue->isEnabled()) return;
        engine_.Join();
        if (AutoWriterAfterRun(ws_) == AutoWriterNext::End) return ShowAutoWriterEnd();
        btContinue->click();
    });
}

void TfmProgramVerify::ShowAutoWriterEnd()
{
    QLabel* l = Label(ProgressLabel::TotalTime);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    l->setPalette(p);
    l->setText("AutoWriter End");
    AwsBT->setVisible(false);
}

void TfmProgramVerify::keyPressEvent(QKeyEvent* event)
{
    // Every typed key counts as Escape: it closes the dialog once the run
    // has ended. A key that types nothing (Shift, Ctrl or Alt on their own,
    // as on the way to Alt+Tab, a function key, an arrow) leaves the result
    // on the screen.
    event->accept();
    if (event->text().isEmpty()) return;
    if (btContinue->isEnabled()) accept();
}

bool TfmProgramVerify::eventFilter(QObject* watched, QEvent* event)
{
    // After a pre-check end only "Exit" is enabled and no key closes the
    // dialog; the focused "Exit" then takes Return, Enter and Space as any
    // button does, so the operator can leave without the mouse.
    if (event->type() == QEvent::KeyPress && watched == btExit && !btContinue->isEnabled() &&
        btExit->isEnabled())
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmProgramVerify::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
}

void TfmProgramVerify::done(int result)
{
    // FormClose: stop the run where it waits and wait for its thread.
    Timer1->stop();
    engine_.Stop();
    ws_.AutoWriterButtonOn = false;
    AwsBT->setVisible(false);
    QDialog::done(result);
}
