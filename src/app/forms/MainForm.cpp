#include "app/forms/MainForm.h"

#include "app/forms/QtNotifier.h"
#include "workspace/BufferCommands.h"
#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"
#include "disasm/forms/DisForm.h"
#include "editors/forms/ConfigForm.h"
#include "editors/forms/EngineeringPanelForm.h"
#include "editors/forms/EditOptionForm.h"
#include "editors/forms/EditorWindows.h"
#include "editors/forms/FillBufferForm.h"
#include "editors/forms/PasswordForm.h"
#include "files/forms/FileForms.h"
#include "app/forms/LogoForm.h"
#include "iap/forms/IAPForm.h"
#include "infosheet/forms/InfoForm.h"
#include "link/forms/AutoWriterSetupForm.h"
#include "link/forms/DeviceForm.h"
#include "link/Operations.h"
#include "link/WriterLink.h"
#include "link/forms/ChangeOptionForm.h"
#include "link/forms/ChipOperations.h"
#include "serialno/QtpFile.h"
#include "link/SerialSetExchange.h"
#include "serialno/forms/QtpFileDialogs.h"
#include "serialno/forms/SerialNoSetForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QFontDatabase>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>

#include <unistd.h>

TMainForm* MainForm = nullptr;

namespace {

// Other names of the same commands: the tool buttons and menu items that
// share an action. Action() and EnableAction() take either.
const struct {
    const char* Control;
    const char* Action;
} kControlAliases[] = {
    {"ToolButton1", "FileOpen1"},
    {"ToolButton2", "FileSave1"},
    {"SaveProgramMemory1", "FileSave1"},
    {"tbInfoSheet", "GenerateCustomerInformationSheet1"},
    {"ToolButton14", "LoadConfigAction"},
    {"LoadConfig1", "LoadConfigAction"},
    {"ToolButton13", "SaveConfigAction"},
    {"FileSaveItem", "SaveConfigAction"},
    {"ToolButton6", "BlankCheckAction"},
    {"ToolButton7", "ReadICAction"},
    {"ToolButton17", "VerifyICAction"},
    {"Veryfy1", "VerifyICAction"},
    {"ToolButton18", "VerifywithProtect1"},
    {"ToolButton20", "ID3"},
    {"ToolButton21", "ProgramMemory2"},
    {"ToolButton19", "ProgramOption"},
    {"OPTION3", "ProgramOption"},
    {"ToolButton5", "AutoProgramAction"},
    {"AutoProgram1", "AutoProgramAction"},
    {"ToolButton12", "AutoProgramNoBlankCheckAction"},
    {"AutoProgramwithoutBlankCheck1", "AutoProgramNoBlankCheckAction"},
    {"EditOPTION", "EditOptionAction"},
    {"FillBuffer1", "FillBufferAction"},
    {"ToolButton8", "WindowCascade1"},
    {"ToolButton10", "WindowTileHorizontal1"},
    {"ToolButton11", "WindowTileVertical1"},
};

QString ActionName(const QString& name)
{
    for (const auto& alias : kControlAliases)
        if (name == QLatin1String(alias.Control)) return QString::fromLatin1(alias.Action);
    return name;
}

QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

// The ID line shows the ID bytes as text. A blank ID is twelve 0x7F bytes,
// which fonts draw as nothing at all; a control character shows as a small
// box instead, so a blank ID reads as twelve boxes, not as an empty line.
QString PrintableLatin1(const std::string& text)
{
    QString out = Latin1(text);
    for (QChar& c : out)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) c = QChar(0x25A1);
    return out;
}

// Tool-bar pictures: a small coloured plate with a short glyph.
QIcon GlyphIcon(const QString& glyph, const QColor& color)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color.darker(150), 1.5));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 5, 5);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(glyph.size() > 2 ? 10 : 13);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

// Pictures of the three window arrangements: outlines of child windows.
QIcon ArrangeIcon(int kind)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(40, 60, 110), 1.5));
    p.setBrush(QColor(220, 230, 250));
    if (kind == 0) {            // cascade
        for (int i = 0; i < 3; ++i) p.drawRect(QRectF(3 + i * 6, 3 + i * 6, 16, 14));
    } else if (kind == 1) {     // horizontally: one above the other
        p.drawRect(QRectF(3, 4, 26, 11));
        p.drawRect(QRectF(3, 17, 26, 11));
    } else {                    // vertically: side by side
        p.drawRect(QRectF(3, 4, 12, 24));
        p.drawRect(QRectF(17, 4, 12, 24));
    }
    return QIcon(pixmap);
}

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel* MakeValue(const QString& name, const QString& text, QWidget* parent)
{
    QLabel* label = MakeLabel(name, text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("QLabel:disabled { color: palette(mid); }"));
    return label;
}

} // namespace

TMainForm::TMainForm(Notifier* notifier, QWidget* parent) : QMainWindow(parent)
{
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    if (notifier) {
        Notify = notifier;
    } else {
        OwnNotifier = std::make_unique<QtNotifier>(this);
        Notify = OwnNotifier.get();
    }

    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("ClientArea"));
    MdiArea->setBackground(QColor(128, 128, 128));
    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusPanel();
    engineering_forms::BindEngineeringPanel(*this);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* scroll = new QScrollArea(central);
    scroll->setWidget(Panel1);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFixedWidth(Panel1->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    layout->addWidget(scroll);
    layout->addWidget(MdiArea, 1);
    setCentralWidget(central);
    statusBar();
    resize(1024, 720);

    FormCreate();
}

TMainForm::~TMainForm()
{
    if (MainForm == this) MainForm = nullptr;
}

// --- actions, menus, tool bar ---------------------------------------------

QAction* TMainForm::MakeAction(const QString& name, const QString& text, const char* handler)
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    if (handler) connect(action, SIGNAL(triggered()), this, handler);
    Actions.insert(name, action);
    return action;
}

void TMainForm::BuildActions()
{
    struct ActionInfo {
        const char* Name;
        const char* Text;
        const char* Hint;
        const char* Glyph;
        QColor Color;
        QKeySequence Key;
        const char* Handler;
    };
    const QColor file(46, 110, 180), chip(40, 140, 80), write(190, 95, 30), auto_(170, 40, 40),
        sheet(110, 70, 160), none;
    const ActionInfo actionInfos[] = {
        {"FileOpen1", "&Load Data", "Open", "Open", file, {}, SLOT(FileOpen1Execute())},
        {"FileSave1", "&Save Data Memory", "Save Program Memory", "Save", file, {},
         SLOT(SaveProgramMemory1Click())},
        {"LoadConfigAction", "Load Config File ", "Load Config File", "CFG", QColor(60, 130, 150),
         QKeySequence(Qt::CTRL | Qt::Key_L), SLOT(LoadConfig1Click())},
        {"SaveConfigAction", "Save Config File", "Save ConFig File", "CFG", QColor(30, 90, 110),
         QKeySequence(Qt::CTRL | Qt::Key_S), SLOT(FileSaveItemClick())},
        {"FileSaveAsItem", "Save Disassmble", nullptr, nullptr, none, {}, SLOT(FileSaveAsItemClick())},
        {"FileExit1", "E&xit", nullptr, nullptr, none, {}, SLOT(FileExit1Execute())},
        {"ProgramMemory1", "Program Memory", nullptr, nullptr, none, {}, SLOT(ProgramMemory1Click())},
        {"ID2", "ID", nullptr, nullptr, none, {}, SLOT(ID2Click())},
        {"Disassemble1", "Disassemble", nullptr, nullptr, none, {}, SLOT(Disassemble1Click())},
        {"EEPROM1", "EEPROM", nullptr, nullptr, none, {}, SLOT(EEPROM1Click())},
        {"EditOptionAction", "OPTION", nullptr, nullptr, none, QKeySequence(Qt::Key_F4),
         SLOT(EditOPTIONClick())},
        {"SerialNoMode1", "Serial No. Mode", nullptr, nullptr, none, {}, SLOT(SerialNoMode1Click())},
        {"CounterMode1", "Set Counter Value", nullptr, nullptr, none, {}, SLOT(CounterMode1Click())},
        {"LoadQTPFile1", "Load QTP File", nullptr, nullptr, none, {}, SLOT(LoadQTPFile1Click())},
        {"ClearOPTION1", "Clear OPTION", nullptr, nullptr, none, {}, SLOT(ClearOPTION1Click())},
        {"ClearID1", "Clear ID", nullptr, nullptr, none, {}, SLOT(ClearID1Click())},
        {"ClearBuffer1", "Clear Buffer", nullptr, nullptr, none, {}, SLOT(ClearBuffer1Click())},
        {"ClearEEPROMBuffer1", "Clear EEPROM Buffer", nullptr, nullptr, none, {},
         SLOT(ClearEEPROMBuffer1Click())},
        {"FillBufferAction", "Fill Data Buffer", nullptr, nullptr, none, QKeySequence(Qt::CTRL | Qt::Key_F),
         SLOT(FillBuffer1Click())},
        {"FillEEPROMBuffer1", "Fill EEPROM buffer", nullptr, nullptr, none, {},
         SLOT(FillEEPROMBuffer1Click())},
        {"BlankCheckAction", "Blank Check", "Blank Check", "BC", chip, QKeySequence(Qt::Key_F5),
         SLOT(BlankCheckActionExecute())},
        {"ReadICAction", "Read IC", "Read IC", "RD", chip, QKeySequence(Qt::Key_F6), SLOT(ToolButton7Click())},
        {"VerifyICAction", "Verify IC", "Verify", "V", chip, QKeySequence(Qt::Key_F7), SLOT(Veryfy1Click())},
        {"VerifywithProtect1", "Verify IC in Protect mode", "Verify in protect mode", "VP", chip, {},
         SLOT(VerifywithProtect1Click())},
        {"ID3", "Program ID and Checksum", "Program ID & Checksum", "ID", write, {}, SLOT(ID3Click())},
        {"ProgramMemory2", "Program Memory", "Program Memory", "PM", write, {}, SLOT(ProgramMemory2Click())},
        {"ProgramOption", "Program OPTION", "Program OPTION", "OP", write, {}, SLOT(OPTION3Click())},
        {"WriteEE", "Program EEPROM data", "Write EEPROM", "EE", write, {}, SLOT(WriteEEClick())},
        // The menu item has its own control: only the tool button follows the
        // device's EEPROM flag.
        {"ProgramEEPROMdata1", "Program EEPROM data", nullptr, nullptr, none, {}, SLOT(WriteEEClick())},
        {"AutoProgramAction", "Auto Program", "Auto program", "A", auto_, QKeySequence(Qt::Key_F8),
         SLOT(AutoProgram1Click())},
        {"AutoProgramNoBlankCheckAction", "Auto Program without Blank Check",
         "Auto program without blank check", "A-", auto_, QKeySequence(Qt::Key_F9),
         SLOT(AutoProgramwithoutBlankCheck1Click())},
        {"Erase", "Erase", "Erase Flash memory", "ER", QColor(120, 120, 40), {}, SLOT(EraseClick())},
        {"ForceWrite", "Write data without check", "Write data without check", "FW", QColor(90, 90, 90), {},
         SLOT(ForceWriteClick())},
        {"tbOption2", "Change to Option 2", "Change to Option 2", "O2", QColor(90, 90, 90), {},
         SLOT(tbOption2Click())},
        {"DownLoad1", "Download device info. to writer", nullptr, nullptr, none, {}, SLOT(DownLoad1Click())},
        {"GenerateCustomerInformationSheet1", "Generate customer's information sheet",
         "Customer's infomation sheet", "INFO", sheet, {}, SLOT(GenerateCustomerInformationSheet1Click())},
        {"DownloadSerialSet1", "Download Serial Num Set", nullptr, nullptr, none, {},
         SLOT(DownloadSerialSet1Click())},
        {"ReadSerialSet1", "Read Serial Num Set", nullptr, nullptr, none, {}, SLOT(ReadSerialSet1Click())},
        {"Config1", "Configuration", nullptr, nullptr, none, {}, SLOT(Config1Click())},
        {"HelpAbout1", "&About...", nullptr, nullptr, none, {}, SLOT(HelpAbout1Execute())},
    };
    for (const ActionInfo& s : actionInfos) {
        QAction* action = MakeAction(QString::fromLatin1(s.Name), QString::fromLatin1(s.Text), s.Handler);
        if (s.Hint) action->setToolTip(QString::fromLatin1(s.Hint));
        if (s.Glyph) action->setIcon(GlyphIcon(QString::fromLatin1(s.Glyph), s.Color));
        if (!s.Key.isEmpty()) action->setShortcut(s.Key);
    }
    // The open action's hint has a short part for the tool tip and a long one
    // for the status line.
    Action(QStringLiteral("FileOpen1"))->setStatusTip(QStringLiteral("Open a file"));
    Action(QStringLiteral("FileOpen1"))->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    Action(QStringLiteral("FileSave1"))->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    Action(QStringLiteral("ProgramEEPROMdata1"))->setIcon(Action(QStringLiteral("WriteEE"))->icon());
    Action(QStringLiteral("ForceWrite"))->setVisible(false);
    Action(QStringLiteral("tbOption2"))->setVisible(false);

    const struct {
        const char* Name;
        const char* Text;
        int Icon;
    } arrange[] = {
        {"WindowCascade1", "&Cascade", 0},
        {"WindowTileHorizontal1", "Tile &Horizontally", 1},
        {"WindowTileVertical1", "Tile &Vertically", 2},
        {"WindowMinimizeAll1", "&Minimize All", -1},
        {"WindowArrangeAll1", "&Arrange All", -1},
    };
    for (const auto& a : arrange) {
        QAction* action = MakeAction(QString::fromLatin1(a.Name), QString::fromLatin1(a.Text), nullptr);
        if (a.Icon >= 0) action->setIcon(ArrangeIcon(a.Icon));
        action->setToolTip(QString::fromLatin1(a.Text).remove(QLatin1Char('&')));
        WindowArrangeActions.append(action);
    }
    connect(Action(QStringLiteral("WindowCascade1")), &QAction::triggered, MdiArea,
            &QMdiArea::cascadeSubWindows);
    connect(Action(QStringLiteral("WindowTileHorizontal1")), &QAction::triggered, this,
            &TMainForm::TileHorizontally);
    connect(Action(QStringLiteral("WindowTileVertical1")), &QAction::triggered, this,
            &TMainForm::TileVertically);
    connect(Action(QStringLiteral("WindowMinimizeAll1")), &QAction::triggered, this, &TMainForm::MinimizeAll);
    connect(Action(QStringLiteral("WindowArrangeAll1")), &QAction::triggered, this, &TMainForm::ArrangeAll);
}

void TMainForm::BuildMenus()
{
    auto add = [this](QMenu* menu, const char* name) { menu->addAction(Action(QString::fromLatin1(name))); };
    // No separator lines between the items.
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    for (const char* n : {"FileOpen1", "FileSave1", "LoadConfigAction", "SaveConfigAction", "FileSaveAsItem"})
        add(file, n);
    add(file, "FileExit1");

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    for (const char* n : {"ProgramMemory1", "ID2", "Disassemble1", "EEPROM1"}) add(view, n);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    for (const char* n : {"EditOptionAction", "SerialNoMode1", "CounterMode1", "LoadQTPFile1"}) add(edit, n);
    for (const char* n : {"ClearOPTION1", "ClearID1", "ClearBuffer1", "ClearEEPROMBuffer1"}) add(edit, n);
    for (const char* n : {"FillBufferAction", "FillEEPROMBuffer1"}) add(edit, n);

    QMenu* functions = bar->addMenu(QStringLiteral("&Functions"));
    for (const char* n : {"BlankCheckAction", "ReadICAction", "VerifyICAction", "VerifywithProtect1"})
        add(functions, n);
    for (const char* n : {"AutoProgramAction", "AutoProgramNoBlankCheckAction"}) add(functions, n);
    for (const char* n : {"ID3", "ProgramMemory2", "ProgramEEPROMdata1", "ProgramOption"}) add(functions, n);
    for (const char* n : {"DownLoad1", "GenerateCustomerInformationSheet1"}) add(functions, n);
    for (const char* n : {"DownloadSerialSet1", "ReadSerialSet1"}) add(functions, n);

    // A top-level item without sub-items.
    bar->addAction(Action(QStringLiteral("Config1")));

    WindowMenu = bar->addMenu(QStringLiteral("&Window"));
    WindowMenu->setObjectName(QStringLiteral("Window1"));
    connect(WindowMenu, &QMenu::aboutToShow, this, &TMainForm::RefreshWindowMenu);
    RefreshWindowMenu();

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    add(help, "HelpAbout1");
}

void TMainForm::BuildToolBar()
{
    ToolBar2 = addToolBar(QStringLiteral("ToolBar2"));
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setMovable(false);
    ToolBar2->setIconSize(QSize(28, 28));
    ToolBar2->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto add = [this](const char* name) { ToolBar2->addAction(Action(QString::fromLatin1(name))); };
    for (const char* n : {"FileOpen1", "FileSave1", "GenerateCustomerInformationSheet1", "LoadConfigAction",
                          "SaveConfigAction"})
        add(n);
    ToolBar2->addSeparator();
    add("Erase");
    for (const char* n : {"BlankCheckAction", "ReadICAction", "VerifyICAction", "VerifywithProtect1"}) add(n);
    ToolBar2->addSeparator();
    for (const char* n : {"ID3", "ProgramMemory2", "ProgramOption", "WriteEE"}) add(n);
    ToolBar2->addSeparator();
    for (const char* n : {"AutoProgramAction", "AutoProgramNoBlankCheckAction"}) add(n);
    ToolBar2->addSeparator();
    for (const char* n : {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1"}) add(n);
    ToolBar2->addSeparator();

    Label3 = MakeLabel(QStringLiteral("Label3"), QStringLiteral("Serial Port :"), ToolBar2);
    Label3->setContentsMargins(6, 0, 4, 0);
    Label3->installEventFilter(this);
    ToolBar2->addWidget(Label3);
    ComboBox1 = new QComboBox(ToolBar2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (int i = 1; i <= 8; ++i) ComboBox1->addItem(QStringLiteral("Com%1").arg(i));
    ComboBox1->setMinimumContentsLength(6);
    ToolBar2->addWidget(ComboBox1);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TMainForm::ComboBox1Change);

    // The handshake selector is never shown and its choice is not applied.
    HandShake = new QComboBox(this);
    HandShake->setObjectName(QStringLiteral("HandShake"));
    HandShake->addItems({QStringLiteral("Default"), QStringLiteral("CTS"), QStringLiteral("None")});
    HandShake->hide();
    connect(HandShake, &QComboBox::currentIndexChanged, this, &TMainForm::ComboBox1Change);

    ToolBar2->addSeparator();
    add("ForceWrite");
    add("tbOption2");
}

void TMainForm::BuildStatusPanel()
{
    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* column = new QVBoxLayout(Panel1);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(8);

    auto* deviceRow = new QHBoxLayout;
    Label2 = MakeLabel(QStringLiteral("Label2"), QStringLiteral("Device:"), Panel1);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setMinimumContentsLength(10);
    deviceRow->addWidget(Label2);
    deviceRow->addWidget(ComboBox2, 1);
    column->addLayout(deviceRow);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TMainForm::ComboBox2Change);

    auto makeGroup = [this, column](const QString& name, const QString& title) {
        auto* box = new QGroupBox(title, Panel1);
        box->setObjectName(name);
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(3);
        grid->setColumnStretch(1, 1);
        column->addWidget(box);
        return std::pair{box, grid};
    };

    auto [g1, grid1] = makeGroup(QStringLiteral("GroupBox1"), QStringLiteral("Serial No. :"));
    GroupBox1 = g1;
    Label12 = MakeLabel(QStringLiteral("Label12"), QStringLiteral("Serial No. Mode :"), g1);
    Label1 = MakeValue(QStringLiteral("Label1"), QStringLiteral("Disable"), g1);
    StaticText1 = MakeLabel(QStringLiteral("StaticText1"), QStringLiteral("QTP file :"), g1);
    Label19 = MakeValue(QStringLiteral("Label19"), QStringLiteral("Disable"), g1);
    StaticText10 = MakeLabel(QStringLiteral("StaticText10"), QStringLiteral("No. (HEX):"), g1);
    stSerialNo = MakeValue(QStringLiteral("stSerialNo"), QString(), g1);
    grid1->addWidget(Label12, 0, 0);
    grid1->addWidget(Label1, 0, 1);
    grid1->addWidget(StaticText1, 1, 0);
    grid1->addWidget(Label19, 1, 1);
    grid1->addWidget(StaticText10, 2, 0);
    grid1->addWidget(stSerialNo, 2, 1);

    auto [g2, grid2] = makeGroup(QStringLiteral("GroupBox2"), QStringLiteral("Options :"));
    GroupBox2 = g2;
    const char* captions[13] = {"OSC Type:", "PRD:", "OST:", "WDT:", "PED:", "Security:", "Software WDT:",
                                "Freq. x 2:", "Pull-Hi:", "CLKOUT:", "Reset on Err.", "Comparators:",
                                "Low Pwr RC:"};
    for (int i = 0; i < 13; ++i) {
        const bool security = (i == 5);
        stOption[i] = MakeLabel(security ? QStringLiteral("stSecurity") : QStringLiteral("stOption%1").arg(i + 1),
                                QString::fromLatin1(captions[i]), g2);
        lbOption[i] = MakeValue(security ? QStringLiteral("lbSecurity") : QStringLiteral("lbOption%1").arg(i + 1),
                                QStringLiteral("Blank"), g2);
        grid2->addWidget(stOption[i], i, 0);
        grid2->addWidget(lbOption[i], i, 1);
    }
    stProtectOn = MakeLabel(QStringLiteral("stProtectOn"), QStringLiteral("Security always enable"), g2);
    stProtectOn->hide();
    grid2->addWidget(stProtectOn, 13, 0, 1, 2);
    StaticText3 = MakeLabel(QStringLiteral("StaticText3"), QStringLiteral("Option value :"), g2);
    stOptionValue = MakeValue(QStringLiteral("stOptionValue"), QStringLiteral("Blank"), g2);
    grid2->addWidget(StaticText3, 14, 0);
    grid2->addWidget(stOptionValue, 14, 1);

    auto [g3, grid3] = makeGroup(QStringLiteral("GroupBox3"), QStringLiteral("ID :"));
    GroupBox3 = g3;
    Label18 = MakeValue(QStringLiteral("Label18"), QStringLiteral("7F 7F 7F 7F 7F 7F 7F 7F 7F 7F 7F 7F"), g3);
    {
        // Hexadecimal bytes line up in a fixed font; bold like the other values.
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setBold(true);
        Label18->setFont(fixed);
    }
    grid3->addWidget(Label18, 0, 0, 1, 2);

    auto [g4, grid4] = makeGroup(QStringLiteral("GroupBox4"), QStringLiteral("Pass Count :"));
    GroupBox4 = g4;
    Label13 = MakeValue(QStringLiteral("Label13"), QStringLiteral("0"), g4);
    grid4->addWidget(Label13, 0, 0, 1, 2);

    auto [g7, grid7] = makeGroup(QStringLiteral("GroupBox7"), QStringLiteral("Checksum :"));
    GroupBox7 = g7;
    StaticText9 = MakeLabel(QStringLiteral("StaticText9"), QStringLiteral("Memory:"), g7);
    Label11 = MakeValue(QStringLiteral("Label11"), QStringLiteral("Blank"), g7);
    Label11->setToolTip(QStringLiteral("Checksum for data"));
    StaticText8 = MakeLabel(QStringLiteral("StaticText8"), QStringLiteral("w/OPTIONs+EE:"), g7);
    OptChecksum = MakeValue(QStringLiteral("OptChecksum"), QStringLiteral("Blank"), g7);
    OptChecksum->setToolTip(QStringLiteral("Checksum include OPTION"));
    StaticText21 = MakeLabel(QStringLiteral("StaticText21"), QStringLiteral("After Protect:"), g7);
    ProtectSum = MakeValue(QStringLiteral("ProtectSum"), QStringLiteral("Blank"), g7);
    ProtectSum->setToolTip(QStringLiteral("Checksum for protected IC"));
    Label14 = MakeLabel(QStringLiteral("Label14"), QStringLiteral("Checksum in IC:"), g7);
    Label17 = MakeValue(QStringLiteral("Label17"), QStringLiteral("Blank"), g7);
    Label17->setToolTip(QStringLiteral("Checksum on IC"));
    grid7->addWidget(StaticText9, 0, 0);
    grid7->addWidget(Label11, 0, 1);
    grid7->addWidget(StaticText8, 1, 0);
    grid7->addWidget(OptChecksum, 1, 1);
    grid7->addWidget(StaticText21, 2, 0);
    grid7->addWidget(ProtectSum, 2, 1);
    grid7->addWidget(Label14, 3, 0);
    grid7->addWidget(Label17, 3, 1);

    BuildEngineeringPanel(Panel1);
    column->addWidget(Panel2);
    column->addStretch(1);

    WatchDoubleClicks(GroupBox1, Action(QStringLiteral("SerialNoMode1")));
    WatchDoubleClicks(GroupBox2, Action(QStringLiteral("EditOptionAction")));
    WatchDoubleClicks(GroupBox3, Action(QStringLiteral("ID2")));
    WatchDoubleClicks(GroupBox4, Action(QStringLiteral("CounterMode1")));
}

void TMainForm::BuildEngineeringPanel(QWidget* parent)
{
    Panel2 = new QFrame(parent);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(Panel2);
    auto makeSwitch = [this](const QString& name) {
        auto* button = new QPushButton(QStringLiteral("Enable"), Panel2);
        button->setObjectName(name);
        return button;
    };
    QtpSim = makeSwitch(QStringLiteral("QtpSim"));
    FlashPgmTest = makeSwitch(QStringLiteral("FlashPgmTest"));
    btShowTime = makeSwitch(QStringLiteral("btShowTime"));
    grid->addWidget(new QLabel(QStringLiteral("QTP Sim :"), Panel2), 0, 0);
    grid->addWidget(QtpSim, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Flash Pgm test :"), Panel2), 1, 0);
    grid->addWidget(FlashPgmTest, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Show program time:"), Panel2), 2, 0);
    grid->addWidget(btShowTime, 2, 1, 1, 2);
    StaticText12 = MakeLabel(QStringLiteral("StaticText12"), QString(), Panel2);
    StaticText13 = MakeLabel(QStringLiteral("StaticText13"), QString(), Panel2);
    StaticText14 = MakeLabel(QStringLiteral("StaticText14"), QString(), Panel2);
    StaticText15 = MakeLabel(QStringLiteral("StaticText15"), QString(), Panel2);
    PulseWidth = new QLineEdit(QStringLiteral("6"), Panel2);
    PulseWidth->setObjectName(QStringLiteral("PulseWidth"));
    EraseWidth = new QLineEdit(QStringLiteral("180"), Panel2);
    EraseWidth->setObjectName(QStringLiteral("EraseWidth"));
    for (QWidget* w : {static_cast<QWidget*>(StaticText12), static_cast<QWidget*>(StaticText13),
                       static_cast<QWidget*>(StaticText14), static_cast<QWidget*>(StaticText15),
                       static_cast<QWidget*>(PulseWidth), static_cast<QWidget*>(EraseWidth)})
        w->setVisible(false);
    PulseWidth->setMaximumWidth(50);
    EraseWidth->setMaximumWidth(50);
    grid->addWidget(StaticText12, 3, 0);
    grid->addWidget(PulseWidth, 3, 1);
    grid->addWidget(StaticText13, 3, 2);
    grid->addWidget(StaticText14, 4, 0);
    grid->addWidget(EraseWidth, 4, 1);
    grid->addWidget(StaticText15, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("Bit6-5 of MODE:"), Panel2), 5, 0);
    Mode65 = new QComboBox(Panel2);
    Mode65->setObjectName(QStringLiteral("Mode65"));
    Mode65->addItems({QStringLiteral("00"), QStringLiteral("01"), QStringLiteral("10"), QStringLiteral("11")});
    grid->addWidget(Mode65, 5, 1, 1, 2);
    // The repetition setup and the firmware update have no menu command:
    // only the engineering panel opens them.
    auto* autoWriter = new QPushButton(QStringLiteral("Auto Writer Setup"), Panel2);
    auto* firmware = new QPushButton(QStringLiteral("FW Update"), Panel2);
    connect(autoWriter, &QPushButton::clicked, this, [this] { RunAutoWriterSetup(Ws, this); });
    connect(firmware, &QPushButton::clicked, this, [this] { ShowFirmwareUpdate(Ws, *Notify, this); });
    grid->addWidget(autoWriter, 6, 0);
    grid->addWidget(firmware, 6, 1, 1, 2);
    Panel2->hide();
}

void TMainForm::WatchDoubleClicks(QWidget* box, QAction* action)
{
    DoubleClickTargets.insert(box, action);
    box->installEventFilter(this);
    for (QWidget* child : box->findChildren<QWidget*>()) {
        DoubleClickTargets.insert(child, action);
        child->installEventFilter(this);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == Label3) {
            Label3DblClick();
            return true;
        }
        if (QAction* action = DoubleClickTargets.value(watched)) {
            // The editors open through their command, so a command that is not
            // available is not reached by a double-click either.
            if (action->isEnabled()) action->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- public helpers ---------------------------------------------------------

QAction* TMainForm::Action(const QString& name) const { return Actions.value(ActionName(name)); }

void TMainForm::EnableAction(const QString& controlName, bool enabled)
{
    const QString name = ActionName(controlName);
    QAction* action = Action(name);
    if (!action) return;
    action->setEnabled(enabled);
}

void TMainForm::Ran(const char* handler) { ++HandlerRuns[QString::fromLatin1(handler)]; }

QMdiSubWindow* TMainForm::AddChildWindow(QWidget* child)
{
    QMdiSubWindow* sub = MdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    return sub;
}

void TMainForm::TileHorizontally()
{
    // One above the other, each as wide as the client area.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : MdiArea->subWindowList())
        if (w->isVisible() && !w->isMinimized()) windows.append(w);
    if (windows.isEmpty()) return;
    const QRect area = MdiArea->viewport()->rect();
    const int height = area.height() / int(windows.size());
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(0, i * height, area.width(), height);
    }
}

void TMainForm::TileVertically()
{
    // Side by side, each as tall as the client area.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : MdiArea->subWindowList())
        if (w->isVisible() && !w->isMinimized()) windows.append(w);
    if (windows.isEmpty()) return;
    const QRect area = MdiArea->viewport()->rect();
    const int width = area.width() / int(windows.size());
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(i * width, 0, width, area.height());
    }
}

void TMainForm::MinimizeAll()
{
    for (QMdiSubWindow* w : MdiArea->subWindowList()) w->showMinimized();
    ArrangeAll();
}

void TMainForm::ArrangeAll()
{
    // Lines the minimised windows up along the bottom edge, left to right.
    const QRect area = MdiArea->viewport()->rect();
    int x = 0;
    int y = -1;
    for (QMdiSubWindow* w : MdiArea->subWindowList()) {
        if (!w->isMinimized()) continue;
        const QSize size = w->size();
        if (y < 0) y = area.height() - size.height();
        if (x + size.width() > area.width() && x > 0) {
            x = 0;
            y -= size.height();
        }
        w->move(x, y);
        x += size.width();
    }
}

void TMainForm::RefreshWindowMenu()
{
    WindowMenu->clear();
    for (QAction* a : WindowArrangeActions) WindowMenu->addAction(a);
    const QList<QMdiSubWindow*> windows = MdiArea->subWindowList();
    if (!windows.isEmpty()) WindowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* w : windows) {
        QAction* item = WindowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(w->windowTitle()));
        item->setCheckable(true);
        item->setChecked(w == MdiArea->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, w] {
            if (w->isMinimized()) w->showNormal();
            MdiArea->setActiveSubWindow(w);
        });
    }
}

void TMainForm::ShowStatus()
{
    ShowStatus(Ws.Status);
}

void TMainForm::ShowStatus(const StatusPanel& s)
{
    for (std::size_t i = 0; i < 13; ++i) {
        const OptionItemView& item = s.OptionItems[i];
        // An item the device lacks keeps its layout caption, hidden.
        if (!item.Caption.empty()) stOption[i]->setText(Latin1(item.Caption));
        stOption[i]->setVisible(item.CaptionVisible);
        stOption[i]->setEnabled(item.CaptionEnabled);
        lbOption[i]->setText(Latin1(item.Value));
        lbOption[i]->setVisible(item.ValueVisible);
        lbOption[i]->setEnabled(item.ValueEnabled);
    }
    stOptionValue->setText(Latin1(s.OptionValueText));
    Label18->setText(PrintableLatin1(s.IdText));
    Label17->setText(Latin1(s.IcChecksumText));
    Label11->setText(Latin1(s.ProgramChecksum));
    ProtectSum->setText(Latin1(s.ProtectChecksum));
    OptChecksum->setText(Latin1(s.TotalChecksum));
    StaticText8->setText(Latin1(s.TotalChecksumCaption));
    Label13->setText(Latin1(s.PassCountText));
    Label1->setText(Latin1(s.SerialModeText));
    for (const char* name : {"ID3", "ProgramMemory2", "ProgramOption"})
        EnableAction(QString::fromLatin1(name), s.SingleProgramCommands);
    stSerialNo->setText(Latin1(s.SerialText));
    Label19->setText(Latin1(s.QtpText));
}

void TMainForm::ApplyDeviceControls()
{
    const bool hasEeprom = (Ws.DeviceFlags & kFlagHasEeprom) != 0;
    for (const char* name : {"WriteEE", "EEPROM1", "ClearEEPROMBuffer1", "FillEEPROMBuffer1"})
        EnableAction(QString::fromLatin1(name), hasEeprom);
    EnableAction(QStringLiteral("Erase"), (Ws.DeviceFlags & kFlagEraseInsteadOfBlankCheck) != 0);
}

// --- child windows ----------------------------------------------------------

// The editor windows live with the editors; the open flags are kept by the
// callers and the core commands, as the model says.
void TMainForm::RecreateIDChecksumForm() { editor_windows::RecreateIdChecksumForm(*this); }
void TMainForm::RecreateMemoryWindow() { editor_windows::RecreateMemoryWindow(*this); }
void TMainForm::RebuildMemoryGrid() { editor_windows::RebuildMemoryGrid(*this); }
void TMainForm::RecreateEEDataForm() { editor_windows::RecreateEepromForm(*this); }
void TMainForm::DestroyEEDataForm() { editor_windows::DestroyEepromForm(*this); }
void TMainForm::ShowEEDataForm() { editor_windows::ShowEepromForm(*this); }

void TMainForm::DestroyDisasmWindow()
{
    disasm_forms::DestroyWindow();
    Ws.DisasmWindowOpen = false;
    EnableAction(QStringLiteral("FileSaveAsItem"), false);
}

void TMainForm::ApplyGuiActions(const GuiActions& actions)
{
    if (actions.CloseDisasmWindow) DestroyDisasmWindow();
    if (actions.RecreateIdWindow) RecreateIDChecksumForm();
    if (actions.RecreateMemoryWindow) RecreateMemoryWindow();
    if (actions.RebuildMemoryGrid) RebuildMemoryGrid();
    if (actions.RecreateEepromWindow) RecreateEEDataForm();
    if (actions.DestroyEepromWindow) DestroyEEDataForm();
    if (actions.ShowEepromWindow) ShowEEDataForm();
    if (actions.EraseEnabled) EnableAction(QStringLiteral("Erase"), *actions.EraseEnabled);
    if (actions.EepromControlsEnabled) {
        for (const char* name : {"WriteEE", "EEPROM1", "ClearEEPROMBuffer1", "FillEEPROMBuffer1"})
            EnableAction(QString::fromLatin1(name), *actions.EepromControlsEnabled);
    }
    if (actions.EnableClearEepromItem) EnableAction(QStringLiteral("ClearEEPROMBuffer1"), true);
    ShowStatus();
    if (actions.TileHorizontally) TileHorizontally();
}

std::string TMainForm::SelectedDevice() const { return ComboBox2->currentText().toStdString(); }

bool TMainForm::SetSelectedDevice(const std::string& partNumber)
{
    const int index = ComboBox2->findText(Latin1(partNumber), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) return false;
    const QSignalBlocker block(ComboBox2);
    ComboBox2->setCurrentIndex(index);
    return true;
}

void TMainForm::UpdateScreen()
{
    ApplyGuiActions(::UpdateScreen(Ws, Notify));
}

// --- life cycle -------------------------------------------------------------

void TMainForm::FormCreate()
{
    // The pulse-width edits are marked visible inside the hidden engineering
    // panel, so their captions show with it.
    StaticText12->setText(QStringLiteral("Write pulse width:"));
    StaticText13->setText(QStringLiteral("x 0.2ms"));
    StaticText14->setText(QStringLiteral("Erase pulse width:"));
    StaticText15->setText(QStringLiteral("x 0.1ms"));
    for (QWidget* w : {static_cast<QWidget*>(StaticText12), static_cast<QWidget*>(StaticText13),
                       static_cast<QWidget*>(StaticText14), static_cast<QWidget*>(StaticText15),
                       static_cast<QWidget*>(PulseWidth), static_cast<QWidget*>(EraseWidth)})
        w->setVisible(true);

    {
        const QSignalBlocker block(ComboBox2);
        ComboBox2->clear();
        for (int32_t row = 0; row < DeviceCount(); ++row) ComboBox2->addItem(Latin1(GetIcName(row)));
    }
    EnableAction(QStringLiteral("FileSaveAsItem"), false);
    {
        const QSignalBlocker blockPort(ComboBox1);
        const QSignalBlocker blockDevice(ComboBox2);
        ComboBox1->setCurrentIndex(0);
        ComboBox2->setCurrentIndex(0);
    }
    // Link and auto-writer state, the first device, blank buffers, flags,
    // serial settings and StartDirectory.
    SetCreationDefaults(Ws);

    {
        // The handshake choice is never applied to the port; a POSIX system
        // takes the item of the newer system family.
        const QSignalBlocker block(HandShake);
        HandShake->setCurrentIndex(1);
    }

    if (LogoForm) {
        // The splash stays up for a moment once the window is built.
        QThread::msleep(600);
        LogoForm->close();
    }
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A restore from the task bar is a spontaneous show: only a show asked
    // for by the program runs the show handler.
    if (!event->spontaneous()) FormShow();
}

void TMainForm::FormShow()
{
    Ws.ProgramVersionText = "15";
    setWindowTitle(QStringLiteral("Writer V") + Latin1(Ws.ProgramVersionText));
    Ws.CustomerName.clear();
    Ws.CustomerProject.clear();
    Ws.OperatingFrequency.clear();
    Ws.OperatingVoltageLow.clear();
    Ws.OperatingVoltageHigh.clear();
    Ws.OperatingCurrent.clear();
    Ws.SleepCurrent.clear();
    ApplyGuiActions(ClearId(Ws));

    if (!Ws.StartupDone) {
        Ws.ConfigPath = Ws.StartDirectory + "/Default.cfg";
        if (!LoadDefaultConfig()) UpdateOption(Ws, Notify);
        RecreateIDChecksumForm();
        Ws.IDFormOpen = true;
        ApplyDeviceControls();
        if (Ws.DeviceFlags & kFlagHasEeprom) {
            RecreateEEDataForm();
            Ws.EepromWindowOpen = true;
        } else {
            if (Ws.EepromWindowOpen) DestroyEEDataForm();
            Ws.EepromWindowOpen = false;
        }
        RecreateMemoryWindow();
        Ws.MemoryWindowOpen = true;
        Ws.StartupDone = true;
        UpdateOption(Ws, Notify);
    }
    EnableAction(QStringLiteral("Erase"), (Ws.DeviceFlags & kFlagEraseInsteadOfBlankCheck) != 0);
    ConnectWriterAtShow();
    {
        const QSignalBlocker block(Mode65);
        Mode65->setCurrentIndex(0);
    }
    ShowStatus();
    TileHorizontally();
}

bool TMainForm::RunFillDialog()
{
    if (FillDialogHook) return FillDialogHook(Ws);
    TFillBufferForm dialog(Ws, *Notify, this);
    return dialog.exec() == QDialog::Accepted;
}

bool TMainForm::LoadDefaultConfig() { return file_forms::LoadDefaultConfig(*this); }

void TMainForm::SaveDefaultConfig() { file_forms::SaveDefaultConfig(*this); }

void TMainForm::ConnectWriterAtShow()
{
    // Only a failure is worth a message at start-up; "Connect OK!" belongs
    // to a change of the port selector.
    ConnectWriter(Ws, *Notify, ComboBox1->currentText().toStdString(), false, LinkTimeouts);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMainForm::FormClose()
{
    if (Ws.QtpMode && Ws.QtpInputHandle) {
        std::fclose(Ws.QtpInputHandle);
        Ws.QtpInputHandle = nullptr;
    }
    Ws.ConfigPath = Ws.StartDirectory + "/Default.cfg";
    SaveDefaultConfig();
    if (IAPForm && IAPForm->isVisible()) IAPForm->close();
}

// --- handlers ---------------------------------------------------------------

void TMainForm::FileOpen1Execute()
{
    Ran("FileOpen1Execute");
    file_forms::LoadData(*this);
}

void TMainForm::SaveProgramMemory1Click()
{
    Ran("SaveProgramMemory1Click");
    file_forms::SaveProgramMemory(*this);
}

void TMainForm::LoadConfig1Click()
{
    Ran("LoadConfig1Click");
    file_forms::LoadConfig(*this);
}

void TMainForm::FileSaveItemClick()
{
    Ran("FileSaveItemClick");
    file_forms::SaveConfig(*this);
}
void TMainForm::FileSaveAsItemClick()
{
    Ran("FileSaveAsItemClick");
    disasm_forms::FileSaveAsItemClick(*this);
}

void TMainForm::FileExit1Execute()
{
    Ran("FileExit1Execute");
    close();
}

void TMainForm::ProgramMemory1Click()
{
    Ran("ProgramMemory1Click");
    editor_windows::ShowMemoryWindow(*this);
}
void TMainForm::ID2Click()
{
    Ran("ID2Click");
    editor_windows::ShowIdChecksumForm(*this);
}
void TMainForm::Disassemble1Click()
{
    Ran("Disassemble1Click");
    disasm_forms::Disassemble1Click(*this);
}
void TMainForm::EEPROM1Click()
{
    Ran("EEPROM1Click");
    ApplyGuiActions(ShowEeprom(Ws));
}
void TMainForm::EditOPTIONClick()
{
    Ran("EditOPTIONClick");
    RunOptionEditor(*this);
}
void TMainForm::SerialNoMode1Click()
{
    Ran("SerialNoMode1Click");
    RunSerialNoSetup(*this, true);
}
void TMainForm::CounterMode1Click()
{
    Ran("CounterMode1Click");
    editor_windows::RunCounterSetup(*this);
}
void TMainForm::LoadQTPFile1Click()
{
    Ran("LoadQTPFile1Click");
    const QtpFileChoice choice = AskQtpFileToLoad(this);
    if (::LoadQTPFile1Click(Ws, choice, *Notify) == QtpLoadResult::Loaded) {
        // The first record's number now stands in program memory or EEPROM.
        if (Ws.MemoryWindowOpen) RebuildMemoryGrid();
        if (Ws.EepromWindowOpen) RecreateEEDataForm();
    }
    ShowStatus();
}

void TMainForm::ClearOPTION1Click()
{
    Ran("ClearOPTION1Click");
    ClearOption(Ws, Notify);
    ShowStatus();
}

void TMainForm::ClearID1Click()
{
    Ran("ClearID1Click");
    ApplyGuiActions(ClearId(Ws));
}

void TMainForm::ClearBuffer1Click()
{
    Ran("ClearBuffer1Click");
    ApplyGuiActions(ClearBuffer(Ws));
}

void TMainForm::ClearEEPROMBuffer1Click()
{
    Ran("ClearEEPROMBuffer1Click");
    ApplyGuiActions(ClearEepromBuffer(Ws));
}

void TMainForm::FillBuffer1Click()
{
    Ran("FillBuffer1Click");
    PrepareProgramFill(Ws);
    ApplyGuiActions(FillProgramMemory(Ws, RunFillDialog()));
}

void TMainForm::FillEEPROMBuffer1Click()
{
    Ran("FillEEPROMBuffer1Click");
    PrepareEepromFill(Ws);
    ApplyGuiActions(FillEeprom(Ws, RunFillDialog()));
}

void TMainForm::BlankCheckActionExecute()
{
    Ran("BlankCheckActionExecute");
    RunChipCommand(*this, opBlankCheck);
}
void TMainForm::ToolButton7Click()
{
    Ran("ToolButton7Click");
    RunChipCommand(*this, opReadIc);
}
void TMainForm::Veryfy1Click()
{
    Ran("Veryfy1Click");
    RunChipCommand(*this, opVerify);
}
void TMainForm::VerifywithProtect1Click()
{
    Ran("VerifywithProtect1Click");
    RunChipCommand(*this, opVerifyProtect);
}
void TMainForm::AutoProgram1Click()
{
    Ran("AutoProgram1Click");
    RunChipCommand(*this, opAutoProgram);
}
void TMainForm::AutoProgramwithoutBlankCheck1Click()
{
    Ran("AutoProgramwithoutBlankCheck1Click");
    RunChipCommand(*this, opAutoProgramNoBlankCheck);
}
void TMainForm::ID3Click()
{
    Ran("ID3Click");
    RunChipCommand(*this, opProgramIdChecksum);
}
void TMainForm::ProgramMemory2Click()
{
    Ran("ProgramMemory2Click");
    RunChipCommand(*this, opProgramData);
}
void TMainForm::WriteEEClick()
{
    Ran("WriteEEClick");
    RunChipCommand(*this, opProgramEeprom);
}
void TMainForm::OPTION3Click()
{
    Ran("OPTION3Click");
    RunChipCommand(*this, opProgramOptions);
}
void TMainForm::EraseClick()
{
    Ran("EraseClick");
    RunChipCommand(*this, opErase);
}
void TMainForm::ForceWriteClick()
{
    Ran("ForceWriteClick");
    RunChipCommand(*this, opOverWrite);
}
void TMainForm::tbOption2Click()
{
    Ran("tbOption2Click");
    OpenChangeOptionForm(*this);
}
void TMainForm::DownLoad1Click()
{
    Ran("DownLoad1Click");
    TDeviceForm form(Ws, *Notify, this);
    form.exec();
}
void TMainForm::GenerateCustomerInformationSheet1Click()
{
    Ran("GenerateCustomerInformationSheet1Click");
    OpenInfoSheet(*this);
}
void TMainForm::DownloadSerialSet1Click()
{
    Ran("DownloadSerialSet1Click");
    RunChipCommand(*this, opSerialNoProgram);
}
void TMainForm::ReadSerialSet1Click()
{
    Ran("ReadSerialSet1Click");
    if (::ReadSerialSet1Click(Ws, *Notify, ComboBox1->currentText().toStdString(), {}))
        RunSerialNoSetup(*this, false);
}
void TMainForm::Config1Click()
{
    Ran("Config1Click");
    TfmConfig dialog(Ws, this);
    dialog.exec();
}

void TMainForm::HelpAbout1Execute()
{
    // The about command shows nothing and changes nothing.
    Ran("HelpAbout1Execute");
}

void TMainForm::ComboBox2Change()
{
    Ran("ComboBox2Change");
    ApplyGuiActions(ChangeDevice(Ws, SelectedDevice(), Notify));
}

void TMainForm::ComboBox1Change()
{
    Ran("ComboBox1Change");
    ::ComboBox1Change(Ws, *Notify, ComboBox1->currentText().toStdString(), LinkTimeouts);
}

void TMainForm::Label3DblClick()
{
    Ran("Label3DblClick");
    engineering_forms::AccessCheck(*this);
}
