#include "link/forms/ChangeOptionForm.h"
#include "platform/forms/Latin1.h"

#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"
#include "workspace/OptionTables.h"
#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "platform/Notifier.h"
#include "platform/forms/KeyFilter.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TChangeOptionForm* ChangeOptionForm = nullptr;

namespace {


QLabel* Label(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A sunken text: the value side of a row.
QLabel* Sunken(const QString& name, QWidget* parent)
{
    QLabel* label = Label(name, QString(), parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(110);
    return label;
}

QGroupBox* RadioGroup(const QString& name, const QString& caption, const QStringList& items, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    group->setObjectName(name + QStringLiteral("Buttons"));
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return box;
}

QButtonGroup* ButtonsOf(QGroupBox* box) { return box->findChild<QButtonGroup*>(); }

QComboBox* FixedList(const QString& name, const QStringList& items, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

// The worker's reports, handed to the dialog's thread.
class QueuedRunReporter : public OptionRunReporter {
public:
    QueuedRunReporter(ReportQueue& queue, std::function<void(const ChipOptions&)> onRead)
        : queue_(queue), onRead_(std::move(onRead)) {}
    void ChipRead(const ChipOptions& chip) override
    {
        auto onRead = onRead_;
        queue_.Post([onRead, chip] { onRead(chip); });
    }

private:
    ReportQueue& queue_;
    std::function<void(const ChipOptions&)> onRead_;
};

}  // namespace

TChangeOptionForm::TChangeOptionForm(Workspace& ws, Notifier& notifier, ChangeOptionContext context, QWidget* parent)
    : QWidget(parent, Qt::Window), ws_(ws), notifier_(notifier), context_(std::move(context)),
      runNotifier_(reports_, notifier, [this] { return worker_.CancelFlag().load(); })
{
    setObjectName(QStringLiteral("ChangeOptionForm"));
    setWindowTitle(QStringLiteral("ChangeOptionForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    BuildControls();
    ChangeOptionForm = this;
    FormShow();
}

TChangeOptionForm::~TChangeOptionForm()
{
    worker_.Stop();
    if (ChangeOptionForm == this) ChangeOptionForm = nullptr;
}

void TChangeOptionForm::BuildControls()
{
    auto* top = new QGridLayout(this);

    GroupBox1 = new QGroupBox(QStringLiteral("User options in IC"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox2 = new QGroupBox(QStringLiteral("New Options"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* chipRows = new QGridLayout(GroupBox1);
    auto* newRows = new QGridLayout(GroupBox2);
    for (int k = 0; k < kItems; ++k) {
        const QString n = QString::number(k + 1);
        stIcFieldName[k] = Label(QStringLiteral("stIcField%1Name").arg(n), QString(), GroupBox1);
        stIcFieldName[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        stIcFieldVal[k] = Sunken(QStringLiteral("stIcField%1Val").arg(n), GroupBox1);
        chipRows->addWidget(stIcFieldName[k], k, 0);
        chipRows->addWidget(stIcFieldVal[k], k, 1);
        stFieldName[k] = Label(QStringLiteral("stField%1Name").arg(n), QString(), GroupBox2);
        stFieldName[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cbFieldVal[k] = new QComboBox(GroupBox2);   // a fixed list: typed text is no choice
        cbFieldVal[k]->setObjectName(QStringLiteral("cbField%1Val").arg(n));
        stFieldName[k]->setBuddy(cbFieldVal[k]);
        newRows->addWidget(stFieldName[k], k, 0);
        newRows->addWidget(cbFieldVal[k], k, 1);
        connect(cbFieldVal[k], &QComboBox::activated, this, [this, k] { cbFieldValChange(k + 1); });
    }
    StaticText4 = Label(QStringLiteral("StaticText4"), QStringLiteral("Option code ="), GroupBox1);
    stIcData10h = Sunken(QStringLiteral("stIcData10h"), GroupBox1);
    chipRows->addWidget(StaticText4, kItems, 0);
    chipRows->addWidget(stIcData10h, kItems, 1);
    StaticText13 = Label(QStringLiteral("StaticText13"), QStringLiteral("Option code ="), GroupBox2);
    stData10h = Sunken(QStringLiteral("stData10h"), GroupBox2);
    newRows->addWidget(StaticText13, kItems, 0);
    newRows->addWidget(stData10h, kItems, 1);
    top->addWidget(GroupBox1, 0, 0);
    top->addWidget(GroupBox2, 0, 1);

    // Device, port and the buttons.
    auto* side = new QVBoxLayout;
    StaticText7 = Label(QStringLiteral("StaticText7"), QStringLiteral("Device Name :"), this);
    stDeviceName = Sunken(QStringLiteral("stDeviceName"), this);
    StaticText11 = Label(QStringLiteral("StaticText11"), QStringLiteral("COM port :"), this);
    stComPort = Sunken(QStringLiteral("stComPort"), this);
    StaticText11->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(StaticText7), static_cast<QWidget*>(stDeviceName),
                       static_cast<QWidget*>(StaticText11), static_cast<QWidget*>(stComPort)})
        side->addWidget(w);
    auto button = [this, side](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        side->addWidget(b);
        return b;
    };
    btnReadOption = button(QStringLiteral("btnReadOption"), QStringLiteral("Read Option"));
    btnWriteOption = button(QStringLiteral("btnWriteOption"), QStringLiteral("Write Option"));
    btnAuto = button(QStringLiteral("btnAuto"), QStringLiteral("Auto-write options"));
    btnExit = button(QStringLiteral("btnExit"), QStringLiteral("Exit"));
    side->addStretch();
    top->addLayout(side, 0, 2);
    connect(btnReadOption, &QPushButton::clicked, this, &TChangeOptionForm::btnReadOptionClick);
    connect(btnWriteOption, &QPushButton::clicked, this, &TChangeOptionForm::btnWriteOptionClick);
    connect(btnAuto, &QPushButton::clicked, this, &TChangeOptionForm::btnAutoClick);
    connect(btnExit, &QPushButton::clicked, this, &TChangeOptionForm::btnExitClick);

    // Where the option 2 select bits go.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* selectRow = new QHBoxLayout(Panel1);
    cbOption2Addr = FixedList(QStringLiteral("cbOption2Addr"), {"11h", "12h", "13h"}, Panel1);
    cbOption2Bit = FixedList(QStringLiteral("cbOption2Bit"),
                             {"(1,0)", "(3,2)", "(5,4)", "(7,6)", "(9,8)", "(11,10)", "(13,12)"}, Panel1);
    cbOption2Val = FixedList(QStringLiteral("cbOption2Val"), {"(1,0)", "(0,1)"}, Panel1);
    const std::pair<const char*, const char*> selectLabels[] = {
        {"StaticText14", "Option 2 select bits located at:"}, {"StaticText15", "bit :"}, {"StaticText16", "Value="}};
    QComboBox* selectLists[] = {cbOption2Addr, cbOption2Bit, cbOption2Val};
    for (int i = 0; i < 3; ++i) {
        QLabel* l = Label(QLatin1String(selectLabels[i].first), QLatin1String(selectLabels[i].second), Panel1);
        l->setBuddy(selectLists[i]);
        selectRow->addWidget(l);
        selectRow->addWidget(selectLists[i]);
    }
    selectRow->addStretch(1);   // each list stays beside its label
    top->addWidget(Panel1, 1, 0, 1, 3);

    // The hidden controls: write function, word sources and typed words.
    auto* hidden = new QHBoxLayout;
    rgWriteFunc = RadioGroup(QStringLiteral("rgWriteFunc"), QStringLiteral("Write function"),
                             {"Change user options", "Change body options", "Others"}, this);
    rgA10h = RadioGroup(QStringLiteral("rgA10h"), QStringLiteral("User options (10h)"),
                        {"Keep user options", "Write new options"}, this);
    hidden->addWidget(rgWriteFunc);
    hidden->addWidget(rgA10h);
    connect(ButtonsOf(rgWriteFunc), &QButtonGroup::idClicked, this, &TChangeOptionForm::rgWriteFuncClick);
    connect(ButtonsOf(rgA10h), &QButtonGroup::idClicked, this, &TChangeOptionForm::rgA10hClick);
    auto* words = new QGridLayout;
    for (int w = 0; w < 3; ++w) {
        const QString addr = QStringLiteral("1%1h").arg(w + 1);
        rgA1xh[w] = RadioGroup(QStringLiteral("rgA%1").arg(addr), QStringLiteral("Address %1").arg(addr),
                               {QStringLiteral("Copy from IC addr 0%1h").arg(w + 1), "Write new value"}, this);
        hidden->addWidget(rgA1xh[w]);
        connect(ButtonsOf(rgA1xh[w]), &QButtonGroup::idClicked, this, [this, w] { rgA1xhClick(w); });
        StaticTextData[w] = Label(QStringLiteral("StaticText%1").arg(w + 1), addr + QStringLiteral(" ="), this);
        edData[w] = new QLineEdit(this);
        edData[w]->setObjectName(QStringLiteral("edData%1").arg(addr));
        edData[w]->setMinimumWidth(80);
        // The key filter: blanks and hexadecimal digits only.
        KeyFilterValidator::Install(edData[w], [](QChar c) { return c == QLatin1Char(' ') ? c : HexDigitKey(c); });
        StaticTextData[w]->setBuddy(edData[w]);
        words->addWidget(StaticTextData[w], w, 0);
        words->addWidget(edData[w], w, 1);
        connect(edData[w], &QLineEdit::textChanged, this, [this] { UpdateOption(); });
    }
    hidden->addLayout(words);
    top->addLayout(hidden, 2, 0, 1, 3);

    // The byte dumps.
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* dumps = new QGridLayout(Panel2);
    const char* columns[] = {"Old IC Values", "Current IC Values", "Value in Buffer"};
    for (int c = 0; c < 3; ++c) dumps->addWidget(new QLabel(QLatin1String(columns[c]), Panel2), 0, c + 1);
    const char* rows[] = {"User option (00h~03h) :", "Body option (00h~03h) :", "Body option (10h~13h) :"};
    for (int r = 0; r < 3; ++r) dumps->addWidget(new QLabel(QLatin1String(rows[r]), Panel2), r + 1, 0);
    auto dump = [&](QLabel*& to, const char* name, int row, int column) {
        to = Sunken(QLatin1String(name), Panel2);
        dumps->addWidget(to, row, column);
    };
    dump(stOldUserData, "stOldUserData", 1, 1);
    dump(stIcUserData, "stIcUserData", 1, 2);
    dump(stOldBodyData0, "stOldBodyData0", 2, 1);
    dump(stIcBodyData0, "stIcBodyData0", 2, 2);
    dump(stBodyData0, "stBodyData0", 2, 3);
    dump(stOldBodyData1, "stOldBodyData1", 3, 1);
    dump(stIcBodyData1, "stIcBodyData1", 3, 2);
    dump(stBodyData1, "stBodyData1", 3, 3);
    top->addWidget(Panel2, 3, 0, 1, 3);

    for (QWidget* w : {static_cast<QWidget*>(rgWriteFunc), static_cast<QWidget*>(rgA10h),
                       static_cast<QWidget*>(Panel2)})
        w->hide();
    for (int w = 0; w < 3; ++w) {
        rgA1xh[w]->hide();
        StaticTextData[w]->hide();
        edData[w]->hide();
    }
}

void TChangeOptionForm::FormShow()
{
    stComPort->setText(Latin1(context_.PortText));
    stDeviceName->setText(Latin1(context_.DeviceText));
    SelectDevice(ws_, context_.DeviceText);
    layout_ = OptionLayout::Of(ws_);
    choices_.NewOptionValue = 0xFFFFFFFFu;
    chip_ = ChipOptions{};
    // Before a read the chip's user options show as blank.
    const auto blank = SplitOptionValue(layout_, IcOptionValue(layout_, chip_));
    std::copy(blank.begin(), blank.end(), chip_.IcUserData.begin());
    Check(rgWriteFunc, 0);
    rgWriteFuncClick(0);
    UpdateOption();
    // These take effect at the next refresh.
    cbOption2Addr->setCurrentIndex(1);
    cbOption2Bit->setCurrentIndex(6);
    cbOption2Val->setCurrentIndex(0);
}

int TChangeOptionForm::Checked(QGroupBox* group) const { return ButtonsOf(group)->checkedId(); }

void TChangeOptionForm::Check(QGroupBox* group, int entry)
{
    if (QAbstractButton* b = ButtonsOf(group)->button(entry)) b->setChecked(true);
}

OptionChoices TChangeOptionForm::TakeChoices() const
{
    OptionChoices c;
    c.NewOptionValue = choices_.NewOptionValue;
    c.A10h = Checked(rgA10h);
    for (int w = 0; w < 3; ++w) {
        c.A1xh[w] = Checked(rgA1xh[w]);
        c.EditText[w] = edData[w]->text().toStdString();
    }
    c.Select = {cbOption2Addr->currentIndex(), cbOption2Bit->currentIndex(), cbOption2Val->currentIndex()};
    return c;
}

void TChangeOptionForm::UpdateOption()
{
    // 1. Which group is live: the chip's when word 10h keeps the chip's options.
    const bool keep = Checked(rgA10h) == kKeepOrCopy;
    for (QWidget* w : {static_cast<QWidget*>(StaticText4), static_cast<QWidget*>(stIcData10h)}) w->setEnabled(keep);
    for (QWidget* w : {static_cast<QWidget*>(StaticText13), static_cast<QWidget*>(stData10h)}) w->setEnabled(!keep);
    for (int k = 0; k < kItems; ++k) {
        stIcFieldName[k]->setEnabled(keep);
        stIcFieldVal[k]->setEnabled(keep);
        stFieldName[k]->setEnabled(!keep);
        cbFieldVal[k]->setEnabled(!keep);
    }

    const uint32_t icValue = IcOptionValue(layout_, chip_);
    const uint32_t newValue = choices_.NewOptionValue;
    for (int k = 0; k < kItems; ++k) {
        const int item = k + 1;
        QComboBox* list = cbFieldVal[k];
        const QSignalBlocker block(list);
        if (ws_.OptionSetNo[k] == 0 || !GetOptData(ws_, item, 0)) {
            // 2./5. An item the device lacks: greyed in both groups.
            stIcFieldName[k]->setEnabled(false);
            stIcFieldVal[k]->setEnabled(false);
            stIcFieldVal[k]->setText(QStringLiteral("Blank"));
            stFieldName[k]->setEnabled(false);
            list->setEnabled(false);
            continue;
        }
        const QString title = Latin1(ws_.OptText);
        const uint32_t mask = ws_.OptValue;
        stIcFieldName[k]->setText(title);
        stFieldName[k]->setText(title);
        list->clear();
        int selected = -1;
        QString icText = QLatin1String(kOptionMarkerText);
        bool icFound = false;
        for (int j = 1; GetOptData(ws_, item, j) && ws_.OptValue != kOptionMarkerValue; ++j) {
            list->addItem(Latin1(ws_.OptText));
            if (selected < 0 && ws_.OptValue == (newValue & mask)) selected = j - 1;
            if (!icFound && ws_.OptValue == (icValue & mask)) {
                icText = Latin1(ws_.OptText);
                icFound = true;
            }
        }
        stIcFieldVal[k]->setText(icText);
        list->setCurrentIndex(selected);
    }

    // 3., 6. and 10. The byte dumps; 7. to 9. the composition.
    composed_ = ComposeOptionArea(layout_, TakeChoices(), chip_);
    stIcData10h->setText(Latin1(HexBytes(chip_.IcUserData.data(), 4)));
    stIcUserData->setText(Latin1(HexBytes(chip_.IcUserData.data(), 8)));
    stData10h->setText(Latin1(HexBytes(composed_.NewOptionBytes.data(), 4)));
    stBodyData1->setText(Latin1(HexBytes(composed_.BodyData1.data(), 8)));
    stBodyData0->setText(Latin1(HexBytes(composed_.BodyData0.data(), 8)));
    stIcBodyData1->setText(Latin1(HexBytes(chip_.IcBodyData1.data(), 8)));
    stIcBodyData0->setText(Latin1(HexBytes(chip_.IcBodyData0.data(), 8)));
}

void TChangeOptionForm::cbFieldValChange(int item)
{
    const int entry = cbFieldVal[item - 1]->currentIndex();
    if (entry < 0 || !GetOptData(ws_, item, 0)) return;
    const uint32_t mask = ws_.OptValue;
    if (!GetOptData(ws_, item, entry + 1)) return;
    choices_.NewOptionValue = (choices_.NewOptionValue & ~mask) | ws_.OptValue;
    UpdateOption();
}

void TChangeOptionForm::rgWriteFuncClick(int item)
{
    if (item == 2) return;   // "Others" changes nothing
    const bool body = item == 1;
    Check(rgA10h, body ? kKeepOrCopy : kWriteNew);
    rgA10hClick();
    for (int w = 0; w < 3; ++w) {
        Check(rgA1xh[w], body ? kWriteNew : kKeepOrCopy);
        rgA1xhClick(w);
    }
    stData10h->setEnabled(body);
    for (QLineEdit* edit : edData) edit->setEnabled(body);
}

void TChangeOptionForm::rgA10hClick() { UpdateOption(); }

void TChangeOptionForm::rgA1xhClick(int word)
{
    edData[word]->setEnabled(Checked(rgA1xh[word]) == kWriteNew);
    UpdateOption();
}

void TChangeOptionForm::StaticText11DblClick()
{
    for (QWidget* w : {static_cast<QWidget*>(rgWriteFunc), static_cast<QWidget*>(rgA10h),
                       static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Panel2)})
        w->show();
    for (int w = 0; w < 3; ++w) {
        rgA1xh[w]->show();
        StaticTextData[w]->show();
        edData[w]->show();
    }
}

bool TChangeOptionForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StaticText11 && event->type() == QEvent::MouseButtonDblClick) {
        StaticText11DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TChangeOptionForm::btnReadOptionClick() { StartRun(OptionMode::Read); }

void TChangeOptionForm::btnWriteOptionClick()
{
    if (!chip_.Read) {
        notifier_.Message(OptionTexts::kReadFirst);
        return;
    }
    if (notifier_.Question(OptionTexts::kAlreadyRead, QuestionButtons::YesNo, {}, MessageIcon::Question) !=
        Answer::Yes)
        return;
    StartRun(OptionMode::Write);
}

void TChangeOptionForm::btnAutoClick() { StartRun(OptionMode::Auto); }

void TChangeOptionForm::btnExitClick() { close(); }

void TChangeOptionForm::SetIdle(bool idle)
{
    // The whole dialog waits with its buttons: the run composes from the
    // choices as they were when it started.
    for (QWidget* w : {static_cast<QWidget*>(btnReadOption), static_cast<QWidget*>(btnWriteOption),
                       static_cast<QWidget*>(btnAuto), static_cast<QWidget*>(btnExit),
                       static_cast<QWidget*>(GroupBox2), static_cast<QWidget*>(Panel1),
                       static_cast<QWidget*>(rgWriteFunc), static_cast<QWidget*>(rgA10h)})
        w->setEnabled(idle);
    for (int w = 0; w < 3; ++w) rgA1xh[w]->setEnabled(idle);
    // The edits keep the state their source gives them.
    for (int w = 0; w < 3; ++w) edData[w]->setEnabled(idle && Checked(rgA1xh[w]) == kWriteNew);
}

void TChangeOptionForm::StartRun(OptionMode mode)
{
    if (worker_.Started()) return;
    OptionRunInput input;
    input.Mode = mode;
    input.PortText = context_.PortText;
    input.Engineering = context_.Engineering;
    input.Choices = TakeChoices();
    input.Chip = chip_;
    input.Composed = composed_;
    SetIdle(false);
    readDuringRun_ = false;
    const int hundredths = timeoutHundredths_;
    worker_.Start([this, input, hundredths] {
        LinkContext ctx;
        ctx.Cancel = &worker_.CancelFlag();
        ctx.TimeoutHundredths = hundredths;
        QueuedRunReporter reporter(reports_, [this](const ChipOptions& chip) { ChipRead(chip); });
        const OptionRunResult result = RunOptionMode(ws_, runNotifier_, ctx, input, reporter);
        reports_.Post([this, result] { RunFinished(result); });
    });
}

// On the GUI thread, by the queued reporter: the read is in and the old
// values take the current ones. The run still owns the workspace, so the
// option texts are looked up when it has ended.
void TChangeOptionForm::ChipRead(const ChipOptions& chip)
{
    chip_ = chip;
    readDuringRun_ = true;
    stIcUserData->setText(Latin1(HexBytes(chip_.IcUserData.data(), 8)));
    stIcBodyData0->setText(Latin1(HexBytes(chip_.IcBodyData0.data(), 8)));
    stIcBodyData1->setText(Latin1(HexBytes(chip_.IcBodyData1.data(), 8)));
    stOldUserData->setText(stIcUserData->text());
    stOldBodyData0->setText(stIcBodyData0->text());
    stOldBodyData1->setText(stIcBodyData1->text());
}

void TChangeOptionForm::RunFinished(const OptionRunResult& result)
{
    worker_.Join();
    if (result.Cancelled) return;
    chip_ = result.Chip;
    SetIdle(true);
    if (result.Refresh || readDuringRun_) UpdateOption();
}

void TChangeOptionForm::closeEvent(QCloseEvent* event)
{
    worker_.Stop();
    QWidget::closeEvent(event);
}

void OpenChangeOptionForm(MainContext& form)
{
    if (ChangeOptionForm) {
        ChangeOptionForm->raise();
        ChangeOptionForm->activateWindow();
        return;
    }
    ChangeOptionContext context;
    context.PortText = form.PortText();
    context.DeviceText = form.SelectedDevice();
    context.Engineering = form.Engineering();
    auto* dialog = new TChangeOptionForm(form.GetWorkspace(), form.GetNotifier(), context, form.Window());
    dialog->show();
}
