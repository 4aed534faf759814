// The main window's commands: one action per command with its other control
// names, the menus, the tool bar with the port selector, and the child
// windows' arrangement.
#include "app/forms/MainForm.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QToolBar>

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

}  // namespace

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
        // A command that uses the line: it waits while the window's own
        // exchange with the writer runs.
        bool UsesLine = false;
    };
    constexpr bool line = true;
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
         SLOT(BlankCheckActionExecute()), line},
        {"ReadICAction", "Read IC", "Read IC", "RD", chip, QKeySequence(Qt::Key_F6), SLOT(ToolButton7Click()), line},
        {"VerifyICAction", "Verify IC", "Verify", "V", chip, QKeySequence(Qt::Key_F7), SLOT(Veryfy1Click()), line},
        {"VerifywithProtect1", "Verify IC in Protect mode", "Verify in protect mode", "VP", chip, {},
         SLOT(VerifywithProtect1Click()), line},
        {"ID3", "Program ID and Checksum", "Program ID & Checksum", "ID", write, {}, SLOT(ID3Click()), line},
        {"ProgramMemory2", "Program Memory", "Program Memory", "PM", write, {}, SLOT(ProgramMemory2Click()), line},
        {"ProgramOption", "Program OPTION", "Program OPTION", "OP", write, {}, SLOT(OPTION3Click()), line},
        {"WriteEE", "Program EEPROM data", "Write EEPROM", "EE", write, {}, SLOT(WriteEEClick()), line},
        // The menu item has its own control: only the tool button follows the
        // device's EEPROM flag.
        {"ProgramEEPROMdata1", "Program EEPROM data", nullptr, nullptr, none, {}, SLOT(WriteEEClick()), line},
        {"AutoProgramAction", "Auto Program", "Auto program", "A", auto_, QKeySequence(Qt::Key_F8),
         SLOT(AutoProgram1Click()), line},
        {"AutoProgramNoBlankCheckAction", "Auto Program without Blank Check",
         "Auto program without blank check", "A-", auto_, QKeySequence(Qt::Key_F9),
         SLOT(AutoProgramwithoutBlankCheck1Click()), line},
        {"Erase", "Erase", "Erase Flash memory", "ER", QColor(120, 120, 40), {}, SLOT(EraseClick()), line},
        {"ForceWrite", "Write data without check", "Write data without check", "FW", QColor(90, 90, 90), {},
         SLOT(ForceWriteClick()), line},
        {"tbOption2", "Change to Option 2", "Change to Option 2", "O2", QColor(90, 90, 90), {},
         SLOT(tbOption2Click()), line},
        {"DownLoad1", "Download device info. to writer", nullptr, nullptr, none, {}, SLOT(DownLoad1Click()), line},
        {"GenerateCustomerInformationSheet1", "Generate customer's information sheet",
         "Customer's infomation sheet", "INFO", sheet, {}, SLOT(GenerateCustomerInformationSheet1Click())},
        {"DownloadSerialSet1", "Download Serial Num Set", nullptr, nullptr, none, {},
         SLOT(DownloadSerialSet1Click()), line},
        {"ReadSerialSet1", "Read Serial Num Set", nullptr, nullptr, none, {}, SLOT(ReadSerialSet1Click()), line},
        {"Config1", "Configuration", nullptr, nullptr, none, {}, SLOT(Config1Click())},
        {"HelpAbout1", "&About...", nullptr, nullptr, none, {}, SLOT(HelpAbout1Execute())},
    };
    // An action keeps its own enabled state within the group.
    LineCommands = new QActionGroup(this);
    LineCommands->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (const ActionInfo& s : actionInfos) {
        QAction* action = MakeAction(QString::fromLatin1(s.Name), QString::fromLatin1(s.Text), s.Handler);
        if (s.UsesLine) LineCommands->addAction(action);
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

    Label3 = new QLabel(QStringLiteral("Serial Port :"), ToolBar2);
    Label3->setObjectName(QStringLiteral("Label3"));
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

QAction* TMainForm::Action(const QString& name) const { return Actions.value(ActionName(name)); }

void TMainForm::EnableAction(const QString& controlName, bool enabled)
{
    const QString name = ActionName(controlName);
    QAction* action = Action(name);
    if (!action) return;
    action->setEnabled(enabled);
}

QMdiSubWindow* TMainForm::AddChildWindow(QWidget* child, const std::function<void(QMdiSubWindow&)>& shape)
{
    auto* sub = new QMdiSubWindow;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWidget(child);
    // The area places a window as it is added, by the size it has then: a
    // window sized afterwards can reach past the area's edge.
    shape(*sub);
    MdiArea->addSubWindow(sub);
    // A screen reader tells the child windows apart by their captions: the
    // frame and the form inside it carry the caption as their name.
    const auto name = [sub, child](const QString& caption) {
        sub->setAccessibleName(caption);
        child->setAccessibleName(caption);
    };
    name(child->windowTitle());
    connect(child, &QWidget::windowTitleChanged, sub, name);
    sub->show();
    return sub;
}

namespace {

// The visible child windows in rows (one above the other, each as wide as
// the client area) or in columns (side by side, each as tall as it).
void Tile(QMdiArea& area, bool columns)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area.subWindowList())
        if (w->isVisible() && !w->isMinimized()) windows.append(w);
    if (windows.isEmpty()) return;
    const QRect r = area.viewport()->rect();
    const int step = (columns ? r.width() : r.height()) / int(windows.size());
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        if (columns) windows[i]->setGeometry(i * step, 0, step, r.height());
        else windows[i]->setGeometry(0, i * step, r.width(), step);
    }
}

}  // namespace

void TMainForm::TileHorizontally() { Tile(*MdiArea, false); }
void TMainForm::TileVertically() { Tile(*MdiArea, true); }

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
