#include "serialno/forms/SerialNoSetForm.h"
#include "platform/forms/Latin1.h"

#include "workspace/Workspace.h"
#include "workspace/forms/MainContext.h"
#include "platform/Notifier.h"
#include "serialno/QtpFile.h"
#include "serialno/SerialNumber.h"
#include "serialno/forms/QtpFileDialogs.h"
#include "platform/forms/KeyFilter.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

TSerialNoSetupForm* SerialNoSetupForm = nullptr;

namespace {

std::string Text(const QLineEdit* field) { return field->text().toLatin1().toStdString(); }

}  // namespace

TSerialNoSetupForm::TSerialNoSetupForm(Workspace& ws, Notifier& notifier, QWidget* parent)
    : QDialog(parent), Ws(ws), Notify(notifier)
{
    SerialNoSetupForm = this;
    setObjectName(QStringLiteral("SerialNoSetupForm"));
    setWindowTitle(QStringLiteral("Serial No."));
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    auto label = [this](const QString& name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    auto field = [&](QLabel*& before, const QString& beforeName, const QString& caption, QLineEdit*& edit,
                     const QString& editName, const QString& text, int maxLength, QLabel*& after,
                     const QString& afterName, const QString& unit) {
        before = label(beforeName, caption);
        edit = new QLineEdit(text, this);
        edit->setObjectName(editName);
        edit->setMaxLength(maxLength);
        edit->installEventFilter(this);
        KeyFilterValidator::Install(edit, [this, field = edit](QChar c) { return KeyRule(field, c); });
        before->setBuddy(edit);
        after = label(afterName, unit);
        grid->addWidget(before, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(after, row, 2);
        ++row;
    };
    field(Label1, "Label1", "Start Address :", StartAddress, "StartAddress", "0000", 4, Label2, "Label2", "(HEX)");
    field(Label3, "Label3", "No. of Byte :", NoOfByte, "NoOfByte", "1", 1, Label4, "Label4", "(1 ~ 8)");
    field(Label5, "Label5", "Start Value :", StartValue, "StartValue", "00", 16, Label6, "Label6", "(HEX)");
    field(Label12, "Label12", "End Value :", EndValue, "EndValue", "00", 8, Label13, "Label13", "(HEX)");
    field(Label7, "Label7", "Increment :", Increment, "Increment", "1", 3, Label8, "Label8", "(1~255)");
    field(Label10, "Label10", "No. of Parts :", NoOfPart, "NoOfPart", "1", 6, Label11, "Label11", "(DEC)");
    for (QWidget* w : {static_cast<QWidget*>(Label10), static_cast<QWidget*>(NoOfPart),
                       static_cast<QWidget*>(Label11)})
        w->hide();
    column->addLayout(grid);

    RadioGroup1 = MakeRadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Serial No. Mode"),
                                 {QStringLiteral("Sequential"), QStringLiteral("Pseudo-random"),
                                  QStringLiteral("ASCII(In OffLine Mode)")});
    RadioGroup2 = MakeRadioGroup(QStringLiteral("RadioGroup2"), QStringLiteral("MSB or LSB First"),
                                 {QStringLiteral("MSB->LSB"), QStringLiteral("LSB->MSB")});
    RadioGroup3 = MakeRadioGroup(QStringLiteral("RadioGroup3"), QStringLiteral("Program to"),
                                 {QStringLiteral("Program memory"), QStringLiteral("EEPROM")});
    for (QGroupBox* group : {RadioGroup1, RadioGroup2, RadioGroup3}) column->addWidget(group);
    connect(Buttons(RadioGroup1), &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) RadioGroup1Click();
    });

    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    BtnDisable = button(QStringLiteral("BtnDisable"), QStringLiteral("Disable Serial Mode"));
    BtnQtpFile = button(QStringLiteral("BtnQtpFile"), QStringLiteral("QTP File"));
    BtnOK = button(QStringLiteral("BtnOK"), QStringLiteral("OK"));
    BtnOK->setDefault(true);
    BtnAbort = button(QStringLiteral("BtnAbort"), QStringLiteral("Abort"));
    column->addLayout(buttons);
    connect(BtnOK, &QPushButton::clicked, this, &TSerialNoSetupForm::BtnOKClick);
    connect(BtnDisable, &QPushButton::clicked, this, &TSerialNoSetupForm::BtnDisableClick);
    connect(BtnQtpFile, &QPushButton::clicked, this, &TSerialNoSetupForm::BtnQtpFileClick);
    connect(BtnAbort, &QPushButton::clicked, this, &QDialog::reject);

    Label9 = label(QStringLiteral("Label9"), QStringLiteral("( Only available in Auto program mode!! )"));
    column->addWidget(Label9);
    auto* saved = new QHBoxLayout;
    Label14 = label(QStringLiteral("Label14"), QStringLiteral("SaveSerialNo:"));
    Label15 = label(QStringLiteral("Label15"), QString());
    saved->addWidget(Label14);
    saved->addWidget(Label15, 1);
    column->addLayout(saved);

    // The fields are filled once the dialog is on screen, so that choosing
    // the mode acts as the user's choice would.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TSerialNoSetupForm::Timer1Timer);
    Timer1->start();
}

TSerialNoSetupForm::~TSerialNoSetupForm()
{
    if (SerialNoSetupForm == this) SerialNoSetupForm = nullptr;
}

QGroupBox* TSerialNoSetupForm::MakeRadioGroup(const QString& name, const QString& title, const QStringList& items)
{
    auto* group = new QGroupBox(title, this);
    group->setObjectName(name);
    auto* grid = new QGridLayout(group);
    auto* buttons = new QButtonGroup(group);
    buttons->setObjectName(name + QStringLiteral("Buttons"));
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items.at(i), group);
        buttons->addButton(radio, i);
        grid->addWidget(radio, i / 2, i % 2);
    }
    buttons->button(0)->setChecked(true);
    return group;
}

QButtonGroup* TSerialNoSetupForm::Buttons(const QGroupBox* group) const
{
    return group->findChild<QButtonGroup*>(group->objectName() + QStringLiteral("Buttons"));
}

int TSerialNoSetupForm::ItemIndex(const QGroupBox* group) const { return std::max(0, Buttons(group)->checkedId()); }

void TSerialNoSetupForm::SetItemIndex(QGroupBox* group, int index)
{
    if (QAbstractButton* radio = Buttons(group)->button(index)) radio->setChecked(true);
}

SerialDialogTexts TSerialNoSetupForm::Texts() const
{
    SerialDialogTexts texts;
    texts.StartAddress = Text(StartAddress);
    texts.NoOfByte = Text(NoOfByte);
    texts.StartValue = Text(StartValue);
    texts.EndValue = Text(EndValue);
    texts.Increment = Text(Increment);
    texts.NoOfPart = Text(NoOfPart);
    texts.Mode = static_cast<uint32_t>(ItemIndex(RadioGroup1));
    texts.Order = static_cast<uint32_t>(ItemIndex(RadioGroup2));
    texts.Target = static_cast<uint32_t>(ItemIndex(RadioGroup3));
    return texts;
}

void TSerialNoSetupForm::ShowTexts(const SerialDialogTexts& texts)
{
    StartAddress->setText(Latin1(texts.StartAddress));
    NoOfByte->setText(Latin1(texts.NoOfByte));
    StartValue->setText(Latin1(texts.StartValue));
    EndValue->setText(Latin1(texts.EndValue));
    Increment->setText(Latin1(texts.Increment));
}

void TSerialNoSetupForm::SetValueLength(int length)
{
    StartValue->setMaxLength(std::max(1, length));
    EndValue->setMaxLength(std::max(1, length));
}

void TSerialNoSetupForm::Timer1Timer()
{
    Timer1->stop();
    std::string saved;
    const SerialDialogTexts texts = OpeningSerialTexts(Ws, saved);
    if (!saved.empty()) Label15->setText(Latin1(saved));
    {
        const QSignalBlocker block(Buttons(RadioGroup1));
        SetItemIndex(RadioGroup1, static_cast<int>(texts.Mode));
    }
    SetItemIndex(RadioGroup2, static_cast<int>(texts.Order));
    SetItemIndex(RadioGroup3, static_cast<int>(texts.Target));
    SetValueLength(32767);   // the texts in whole; the mode switch fits them
    ShowTexts(texts);
    RadioGroup1Click();
}

void TSerialNoSetupForm::RadioGroup1Click()
{
    if (!isVisible()) return;
    SerialDialogTexts texts = Texts();
    const bool ascii = texts.Mode == smAscii;
    const bool random = texts.Mode == smPseudoRandom;
    Label8->setText(ascii ? QStringLiteral("(1~35)") : QStringLiteral("(1~255)"));
    Label6->setText(ascii ? QStringLiteral("(ASCII)") : QStringLiteral("(HEX)"));
    Label13->setText(ascii ? QStringLiteral("(ASCII)") : QStringLiteral("(HEX)"));
    // The ASCII mode checks its increment and range like the Sequential
    // mode, so both fields are open to it too.
    Increment->setEnabled(!random);
    EndValue->setEnabled(!random);
    EndValue->setReadOnly(random);
    const std::optional<uint32_t> n = SerialByteCountOf(texts.NoOfByte);
    if (!n) return;
    FitValuesToByteCount(texts, !ascii);
    SetValueLength(static_cast<int>(SerialValueLength(*n, texts.Mode)));
    StartValue->setText(Latin1(texts.StartValue));
    EndValue->setText(Latin1(texts.EndValue));
}

bool TSerialNoSetupForm::FilterKey(QLineEdit* field, const QString& text)
{
    const QChar key = text.at(0);
    if (key.unicode() < 0x20 || key.unicode() == 0x7F) return false;   // backspace and control keys
    if (field != NoOfByte && field != Increment && field != NoOfPart && ItemIndex(RadioGroup1) == smAscii)
        if (const std::optional<uint32_t> n = SerialByteCountOf(Text(NoOfByte)))
            EndValue->setMaxLength(static_cast<int>(*n));
    const QChar passed = KeyRule(field, key);
    if (passed.isNull()) return true;
    if (passed == key) return false;
    field->insert(QString(passed));   // the upper-case letter instead
    return true;
}

QChar TSerialNoSetupForm::KeyRule(const QLineEdit* field, QChar key) const
{
    const char c = key.unicode() < 0x80 ? static_cast<char>(key.unicode()) : '\0';
    std::optional<char> passed;
    if (field == NoOfByte) passed = FilterByteCountKey(c);
    else if (field == Increment || field == NoOfPart) passed = FilterDecimalKey(c);
    else passed = FilterHexFieldKey(c, static_cast<uint32_t>(ItemIndex(RadioGroup1)));
    return passed && *passed != '\0' ? QChar(QLatin1Char(*passed)) : QChar();
}

void TSerialNoSetupForm::FieldExit(QLineEdit* field)
{
    const std::optional<uint32_t> n = SerialByteCountOf(Text(NoOfByte));
    const uint32_t mode = static_cast<uint32_t>(ItemIndex(RadioGroup1));
    if (field == StartAddress) {
        StartAddress->setText(Latin1(StartAddressExit(Text(StartAddress))));
    } else if (field == StartValue) {
        if (n) StartValue->setText(Latin1(StartValueExit(Text(StartValue), *n, mode)));
    } else if (field == EndValue) {
        if (n) EndValue->setText(Latin1(ValueFieldExit(Text(EndValue), *n, mode)));
    } else if (field == NoOfByte) {
        if (!n) return;
        SerialDialogTexts texts = Texts();
        FitValuesToByteCount(texts, true);
        SetValueLength(static_cast<int>(SerialValueLength(*n, mode)));
        StartValue->setText(Latin1(texts.StartValue));
        EndValue->setText(Latin1(texts.EndValue));
    } else if (field == Increment || field == NoOfPart) {
        field->setText(Latin1(AtLeastOneExit(Text(field))));
    }
}

bool TSerialNoSetupForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && FilterKey(field, key->text())) return true;
    } else if (field && event->type() == QEvent::FocusOut) {
        FieldExit(field);
    }
    return QDialog::eventFilter(watched, event);
}

void TSerialNoSetupForm::ShowFailure(const SerialCheckFailure& failure)
{
    if (failure.ClearIncrement) Increment->clear();
    if (failure.ErrorBox) Notify.Message(failure.Message, "Error", MessageIcon::Error);
    else Notify.Message(failure.Message);
}

void TSerialNoSetupForm::BtnOKClick()
{
    // Return in a field reaches OK without leaving the field.
    if (auto* field = qobject_cast<QLineEdit*>(focusWidget())) FieldExit(field);
    SerialDialogTexts texts = Texts();
    if (const std::optional<SerialCheckFailure> failure = CheckSerialNoSetting(Ws, texts)) {
        ShowFailure(*failure);
        return;
    }
    ShowTexts(texts);
    AcceptSerialSettings(Ws, texts);
    accept();
}

void TSerialNoSetupForm::BtnDisableClick()
{
    DisableSerialMode(Ws);
    reject();
}

void TSerialNoSetupForm::BtnQtpFileClick()
{
    if (auto* field = qobject_cast<QLineEdit*>(focusWidget())) FieldExit(field);
    const std::optional<uint32_t> parts = DecimalValueOf(Text(NoOfPart), 6);
    if (!QtpPartCountValid(parts ? *parts : 0, Notify)) return;
    SerialDialogTexts texts = Texts();
    if (const std::optional<SerialCheckFailure> failure = CheckSerialNoSetting(Ws, texts)) {
        ShowFailure(*failure);
        return;
    }
    // Writing a QTP file leaves serial mode off; the records are made from
    // the checked settings.
    ShowTexts(texts);
    SetSerialMode(Ws, false);
    LoadSerialSettings(Ws, texts);
    const QtpFileChoice choice = AskQtpFileToSave(this);
    const QtpWriteResult result = WriteQtpFile(Ws, choice, *parts, Notify);
    if (result == QtpWriteResult::Written || (result == QtpWriteResult::Failed && choice.QtpFilter)) accept();
}

void RunSerialNoSetup(MainContext& form, bool rebuildWindows)
{
    Workspace& ws = form.GetWorkspace();
    {
        TSerialNoSetupForm dialog(ws, form.GetNotifier(), form.Window());
        dialog.exec();
    }
    if (!ws.QtpSimulate) form.SetQtpSimCaption(QStringLiteral("Enable"));
    if (rebuildWindows) {
        if (ws.MemoryWindowOpen) form.RebuildMemoryGrid();
        if (ws.EepromWindowOpen) form.RebuildEepromGrid();
    }
    form.ShowStatus();
}
