#include "infosheet/forms/InfoForm.h"
#include "platform/forms/Latin1.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "files/forms/FileForms.h"
#include "infosheet/forms/SheetPainter.h"
#include "platform/JpegImage.h"
#include "platform/Notifier.h"
#include "platform/forms/KeyFilter.h"

#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kPictureQuality = 90;

// The option items in the order the sheet lists them: 1 to 5, 7 to 13, then
// security (kept at index 5, the place of the missing item 6).
constexpr int kSheetOrder[13] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 5};

const char* const kOptionCaptions[13] = {"OSC Type:", "PRD:",        "OST:",          "WDT:",
                                         "PED:",      "Security:",   "Software WDT:", "Freq. x 2:",
                                         "Pull-Hi:",  "CLKOUT:",     "Reset on Err.:", "Comparators:",
                                         "Low Pwr RC:"};

PrinterSource& Source()
{
    static PrinterSource source;
    return source;
}

std::unique_ptr<QPrinter> DefaultPrinter()
{
    if (Source()) return Source()();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

std::string Text(const QString& text) { return text.toLatin1().toStdString(); }

template <class W>
W* Named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* Caption(const char* name, const char* text) { return Named(new QLabel(QString::fromLatin1(text)), name); }

QLabel* Sunken(const char* name)
{
    QLabel* label = Named(new QLabel, name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(90);
    return label;
}

QLineEdit* Edit(const char* name, QLabel* buddy)
{
    QLineEdit* edit = Named(new QLineEdit, name);
    buddy->setBuddy(edit);
    return edit;
}

JpegImage RgbPixels(const QImage& page)
{
    const QImage rgb = page.convertToFormat(QImage::Format_RGB888);
    JpegImage out;
    out.Width = rgb.width();
    out.Height = rgb.height();
    const std::size_t stride = std::size_t(out.Width) * 3;
    out.Rgb.resize(stride * std::size_t(out.Height));
    for (int y = 0; y < out.Height; ++y)
        std::copy_n(rgb.constScanLine(y), stride, out.Rgb.data() + stride * std::size_t(y));
    return out;
}

} // namespace

void SetPrinterSource(PrinterSource source) { Source() = std::move(source); }

TInfoForm::TInfoForm(MainContext& main, QWidget* parent) : QDialog(parent), Main(main)
{
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Customer Information sheet"));
    resize(694, 656);
    auto* top = new QVBoxLayout(this);

    auto* head = new QGridLayout;
    QLabel* l1 = Caption("StaticText1", "Customer's Name :");
    QLabel* l2 = Caption("StaticText2", "Customer's Project Name :");
    edCustomerName = Edit("edCustomerName", l1);
    edCustomerProject = Edit("edCustomerProject", l2);
    stDataFileName = Sunken("stDataFileName");
    stDeviceName = Sunken("stDeviceName");
    head->addWidget(l1, 0, 0);
    head->addWidget(edCustomerName, 0, 1, 1, 3);
    head->addWidget(l2, 1, 0);
    head->addWidget(edCustomerProject, 1, 1, 1, 3);
    head->addWidget(Caption("StaticText3", "File Name :"), 2, 0);
    head->addWidget(stDataFileName, 2, 1);
    head->addWidget(Caption("StaticText5", "Device Name:"), 2, 2);
    head->addWidget(stDeviceName, 2, 3);
    top->addLayout(head);

    auto* middle = new QHBoxLayout;
    auto* options = Named(new QGroupBox(QStringLiteral("Options :")), "GroupBox2");
    auto* og = new QGridLayout(options);
    for (int i = 0; i < 13; ++i) {
        const bool security = i == 5;
        stOption[i] = new QLabel(QString::fromLatin1(kOptionCaptions[i]));
        stOption[i]->setObjectName(security ? QStringLiteral("stSecurity") : QStringLiteral("stOption%1").arg(i + 1));
        stOption[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lbOption[i] = new QLabel(QStringLiteral("Blank"));
        lbOption[i]->setObjectName(security ? QStringLiteral("lbSecurity") : QStringLiteral("lbOption%1").arg(i + 1));
    }
    for (int r = 0; r < 13; ++r) {
        og->addWidget(stOption[kSheetOrder[r]], r, 0);
        og->addWidget(lbOption[kSheetOrder[r]], r, 1, 1, 2);
    }
    stOptionValue = Sunken("stOptionValue");
    og->addWidget(Caption("StaticText11", "Option Value:"), 13, 0);
    og->addWidget(stOptionValue, 13, 1);
    og->addWidget(Caption("StaticText13", "H"), 13, 2);
    middle->addWidget(options, 1);

    auto* right = new QVBoxLayout;
    auto* sums = Named(new QGroupBox(QStringLiteral("Checksum :")), "GroupBox7");
    auto* sg = new QGridLayout(sums);
    stChecksum = Sunken("stChecksum");
    stChecksumWithOpt = Sunken("stChecksumWithOpt");
    sg->addWidget(Caption("StaticText9", "Memory:"), 0, 0);
    sg->addWidget(stChecksum, 0, 1);
    sg->addWidget(Caption("StaticText14", "H"), 0, 2);
    sg->addWidget(Caption("StaticText8", "w/OPTIONs+EE:"), 1, 0);
    sg->addWidget(stChecksumWithOpt, 1, 1);
    sg->addWidget(Caption("StaticText15", "H"), 1, 2);
    right->addWidget(sums);

    auto* conditions = Named(new QGroupBox(QStringLiteral("Operation conditions:")), "GroupBox1");
    auto* cg = new QGridLayout(conditions);
    QLabel* fl = Caption("StaticText12", "Frequency:");
    QLabel* vl = Caption("StaticText4", "Voltage:");
    QLabel* al = Caption("StaticText6", "Current:");
    QLabel* sl = Caption("StaticText16", "Sleep current:");
    edFrequency = Edit("edFrequency", fl);
    edVoltageLow = Edit("edVoltageLow", vl);
    QLabel* tl = Caption("StaticText17", "~");
    edVoltageHi = Edit("edVoltageHi", tl);
    edCurrent = Edit("edCurrent", al);
    edSleepCurrent = Edit("edSleepCurrent", sl);
    cg->addWidget(fl, 0, 0);
    cg->addWidget(edFrequency, 0, 1, 1, 3);
    cg->addWidget(Caption("StaticText21", "Hz"), 0, 4);
    cg->addWidget(vl, 1, 0);
    cg->addWidget(edVoltageLow, 1, 1);
    cg->addWidget(tl, 1, 2);
    cg->addWidget(edVoltageHi, 1, 3);
    cg->addWidget(Caption("StaticText18", "V"), 1, 4);
    cg->addWidget(al, 2, 0);
    cg->addWidget(edCurrent, 2, 1, 1, 3);
    cg->addWidget(Caption("StaticText19", "mA"), 2, 4);
    cg->addWidget(sl, 3, 0);
    cg->addWidget(edSleepCurrent, 3, 1, 1, 3);
    cg->addWidget(Caption("StaticText20", "uA"), 3, 4);
    right->addWidget(conditions);

    rgSerialMode = Named(new QGroupBox(QStringLiteral("Serial No. mode")), "rgSerialMode");
    auto* rg = new QHBoxLayout(rgSerialMode);
    SerialDisable = Named(new QRadioButton(QStringLiteral("Disable")), "SerialDisable");
    SerialEnable = Named(new QRadioButton(QStringLiteral("Enable")), "SerialEnable");
    rg->addWidget(SerialDisable);
    rg->addWidget(SerialEnable);
    right->addWidget(rgSerialMode);

    auto* fields = new QGridLayout;
    StaticText7 = Caption("StaticText7", "Serial No. start address :");
    edSerialNoStartAddr = Edit("edSerialNoStartAddr", StaticText7);
    StaticText10 = Caption("StaticText10", "H");
    QLabel* pl = Caption("StaticText22", "Device part No.:");
    QLabel* kl = Caption("StaticText23", "Code No. :");
    edPartNo = Edit("edPartNo", pl);
    edCodeNo = Edit("edCodeNo", kl);
    fields->addWidget(StaticText7, 0, 0);
    fields->addWidget(edSerialNoStartAddr, 0, 1);
    fields->addWidget(StaticText10, 0, 2);
    fields->addWidget(pl, 1, 0);
    fields->addWidget(edPartNo, 1, 1, 1, 2);
    fields->addWidget(kl, 2, 0);
    fields->addWidget(edCodeNo, 2, 1, 1, 2);
    right->addLayout(fields);
    right->addStretch(1);
    middle->addLayout(right, 1);
    top->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    cbPrintToFile = Named(new QCheckBox(QStringLiteral("Print To File")), "cbPrintToFile");
    bbPrint = Named(new QPushButton(QStringLiteral("Print ")), "bbPrint");
    bbSave = Named(new QPushButton(QStringLiteral("Save")), "bbSave");
    bbExit = Named(new QPushButton(QStringLiteral("Exit")), "bbExit");
    for (QPushButton* b : {bbPrint, bbSave, bbExit}) b->setAutoDefault(false);
    buttons->addWidget(cbPrintToFile);
    buttons->addStretch(1);
    buttons->addWidget(bbPrint);
    buttons->addWidget(bbSave);
    buttons->addWidget(bbExit);
    top->addLayout(buttons);

    connect(bbPrint, &QPushButton::clicked, this, &TInfoForm::bbPrintClick);
    connect(bbSave, &QPushButton::clicked, this, &TInfoForm::bbSaveClick);
    connect(bbExit, &QPushButton::clicked, this, &TInfoForm::bbExitClick);
    connect(SerialDisable, &QRadioButton::clicked, this, &TInfoForm::rgSerialModeClick);
    connect(SerialEnable, &QRadioButton::clicked, this, &TInfoForm::rgSerialModeClick);
    edSerialNoStartAddr->installEventFilter(this);
    // Pasted and dropped text keeps what the start-address keys let in, four at most.
    edSerialNoStartAddr->setMaxLength(4);
    KeyFilterValidator::Install(edSerialNoStartAddr, [](QChar c) {
        const char passed = c.unicode() < 0x80 ? FilterStartAddressKey(char(c.unicode()), 0) : 0;
        return passed >= 0x20 ? QChar(QLatin1Char(passed)) : QChar();
    });
}

void TInfoForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TInfoForm::FormShow()
{
    // The option summary and checksums as the main window shows them.
    const StatusPanel& shown = Main.ShownStatus();
    for (std::size_t i = 0; i < 13; ++i) {
        const OptionItemView& item = shown.OptionItems[i];
        stOption[i]->setText(Latin1(item.Caption));
        stOption[i]->setVisible(item.CaptionVisible);
        lbOption[i]->setText(Latin1(item.Value));
        lbOption[i]->setEnabled(item.ValueEnabled);
    }
    stOptionValue->setText(Latin1(shown.OptionValueText));
    stChecksum->setText(Latin1(shown.ProgramChecksum));
    stChecksumWithOpt->setText(Latin1(shown.TotalChecksum));
    const Workspace& ws = Main.GetWorkspace();
    stDataFileName->setText(Latin1(DataFileNameOf(ws.ProgramFileName)));
    stDeviceName->setText(Latin1(Main.SelectedDevice()));
    edPartNo->setText(stDeviceName->text());
    edCustomerName->setText(Latin1(ws.CustomerName));
    edCustomerProject->setText(Latin1(ws.CustomerProject));
    edFrequency->setText(Latin1(ws.OperatingFrequency));
    edVoltageLow->setText(Latin1(ws.OperatingVoltageLow));
    edVoltageHi->setText(Latin1(ws.OperatingVoltageHigh));
    edCurrent->setText(Latin1(ws.OperatingCurrent));
    edSleepCurrent->setText(Latin1(ws.SleepCurrent));
    edCodeNo->clear();
    edSerialNoStartAddr->clear();
    SerialDisable->setChecked(true);
    rgSerialModeClick();
    Printed = false;
    Saved = false;
}

InfoSheetData TInfoForm::SheetData() const
{
    InfoSheetData d;
    d.Date = Text(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    d.DeviceName = Text(stDeviceName->text());
    d.DataFileName = Text(stDataFileName->text());
    d.CustomerName = Text(edCustomerName->text());
    d.CustomerProject = Text(edCustomerProject->text());
    d.CodeNo = Text(edCodeNo->text());
    d.PartNo = Text(edPartNo->text());
    for (int r = 0; r < 13; ++r) {
        const int i = kSheetOrder[r];
        d.Options[r] = {Text(stOption[i]->text()), !stOption[i]->isHidden(), Text(lbOption[i]->text())};
    }
    d.OptionValue = Text(stOptionValue->text());
    d.Checksum = Text(stChecksum->text());
    d.ChecksumWithOpt = Text(stChecksumWithOpt->text());
    d.SerialEnabled = SerialEnable->isChecked();
    d.SerialStartAddress = Text(edSerialNoStartAddr->text());
    d.Frequency = Text(edFrequency->text());
    d.VoltageLow = Text(edVoltageLow->text());
    d.VoltageHigh = Text(edVoltageHi->text());
    d.Current = Text(edCurrent->text());
    d.SleepCurrent = Text(edSleepCurrent->text());
    d.VersionText = Main.GetWorkspace().ProgramVersionText;
    return d;
}

void TInfoForm::rgSerialModeClick()
{
    const bool enabled = SerialEnable->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(StaticText7), static_cast<QWidget*>(edSerialNoStartAddr),
                       static_cast<QWidget*>(StaticText10)})
        w->setVisible(enabled);
}

bool TInfoForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edSerialNoStartAddr || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const QString text = static_cast<QKeyEvent*>(event)->text();
    // Keys that type no character (moves, deletes, shortcuts) are the edit's own.
    if (text.size() != 1 || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F) return false;
    const char16_t c = text.at(0).unicode();
    const char key = c < 0x80 ? char(c) : 0;
    const char passed = key ? FilterStartAddressKey(key, std::size_t(edSerialNoStartAddr->text().size())) : 0;
    if (passed != 0 && passed == key) return false;
    if (passed != 0) edSerialNoStartAddr->insert(QString(QChar(passed)));
    return true;
}

bool TInfoForm::RequiredFieldsFilled()
{
    const std::string missing = MissingFieldMessage(SheetData());
    if (missing.empty()) return true;
    Main.GetNotifier().Message(missing);
    return false;
}

void TInfoForm::bbPrintClick()
{
    if (RequiredFieldsFilled() && PrintProjectInfo()) Printed = true;
}

void TInfoForm::bbSaveClick()
{
    if (RequiredFieldsFilled() && SaveProjectInfo()) Saved = true;
}

void TInfoForm::bbExitClick()
{
    Notifier& n = Main.GetNotifier();
    if (!Printed && n.Question("Have not printed. Exit?", QuestionButtons::YesNo) != Answer::Yes) return;
    if (!Saved && n.Question("Have not saved. Exit?", QuestionButtons::YesNo) != Answer::Yes) return;
    Workspace& ws = Main.GetWorkspace();
    ws.CustomerName = Text(edCustomerName->text());
    ws.CustomerProject = Text(edCustomerProject->text());
    ws.OperatingFrequency = Text(edFrequency->text());
    ws.OperatingVoltageLow = Text(edVoltageLow->text());
    ws.OperatingVoltageHigh = Text(edVoltageHi->text());
    ws.OperatingCurrent = Text(edCurrent->text());
    ws.SleepCurrent = Text(edSleepCurrent->text());
    reject();
}

bool TInfoForm::PrintProjectInfo()
{
    const InfoSheetData data = SheetData();
    return cbPrintToFile->isChecked() ? SavePicture(data) : PrintOnDefaultPrinter(data);
}

bool TInfoForm::PrintOnDefaultPrinter(const InfoSheetData& data)
{
    const std::unique_ptr<QPrinter> printer = DefaultPrinter();
    if (!printer) {
        Main.GetNotifier().Message("There is no default printer!");
        return false;
    }
    if (PrintSheet(*printer, data)) return true;
    Main.GetNotifier().Message("The sheet could not be printed!");
    return false;
}

bool TInfoForm::SavePicture(const InfoSheetData& data)
{
    file_forms::FileDialogRequest request;
    request.Save = true;
    request.Filter = QStringLiteral("All files (*);;JPEG Image File (*.jpg *.jpeg)");
    request.FilterIndex = 2;
    request.DefaultSuffix = QStringLiteral("jpg");
    request.FileName = Latin1(ProposedSheetName(data.DataFileName) + ".jpg");
    request.QtAsksOverwrite = false;
    const file_forms::FileDialogChoice choice = file_forms::RunFileDialog(this, request);
    if (choice.Path.isEmpty()) return false;
    const JpegEncodeResult jpeg = EncodeJpeg(RgbPixels(RenderSheetPicture(data)), kPictureQuality);
    if (!jpeg.Ok) {
        Main.GetNotifier().Message("File can't be saved!");
        return false;
    }
    return SaveInfoSheetPicture(QFile::encodeName(choice.Path).toStdString(), jpeg.Bytes, Main.GetNotifier());
}

bool TInfoForm::SaveProjectInfo()
{
    const InfoSheetData data = SheetData();
    file_forms::FileDialogRequest request;
    request.Save = true;
    request.Title = QStringLiteral("Save Customer information data");
    request.Filter = QStringLiteral("Information data file (*.txt)");
    request.DefaultSuffix = QStringLiteral("txt");
    request.FileName = Latin1(ProposedSheetName(data.DataFileName));
    request.QtAsksOverwrite = false;
    const file_forms::FileDialogChoice choice = file_forms::RunFileDialog(this, request);
    if (choice.Path.isEmpty()) return false;
    return SaveInfoSheetText(QFile::encodeName(choice.Path).toStdString(), choice.FilterIndex, data,
                             Main.GetNotifier());
}

void OpenInfoSheet(MainContext& main)
{
    const std::string security = main.ShownStatus().OptionItems[5].Value;
    if (!InfoSheetMayOpen(main.GetWorkspace(), security, main.GetNotifier())) return;
    TInfoForm form(main, main.Window());
    form.exec();
}
