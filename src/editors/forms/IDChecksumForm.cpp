#include "editors/forms/IDChecksumForm.h"
#include "platform/forms/Latin1.h"
#include "editors/forms/DialogButtons.h"

#include "workspace/BufferCommands.h"
#include "workspace/Checksum.h"
#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "editors/EditorCells.h"
#include "editors/forms/HexGrid.h"
#include "platform/forms/KeyFilter.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

TIDChecksumForm* IDChecksumForm = nullptr;

namespace {

QFont FixedFont(bool bold = false)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(bold);
    return font;
}

QLabel* Value(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(FixedFont(true));
    return label;
}

QLabel* Caption(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

DoubleClickLabel* Spot(const QString& name, int width, int height, QWidget* parent)
{
    auto* spot = new DoubleClickLabel(parent);
    spot->setObjectName(name);
    spot->setFixedSize(width, height);
    return spot;
}

}  // namespace

TIDChecksumForm::TIDChecksumForm(MainContext& main, QWidget* parent) : QWidget(parent), Main(main)
{
    setObjectName(QStringLiteral("IDChecksumForm"));
    setWindowTitle(QStringLiteral("ID and Checksum"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);

    RadioGroup1 = new QGroupBox(QStringLiteral("ASCII or HEX"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* items = new QHBoxLayout(RadioGroup1);
    AsciiItem = new QRadioButton(QStringLiteral("ASCII"), RadioGroup1);
    HexItem = new QRadioButton(QStringLiteral("HEX"), RadioGroup1);
    items->addWidget(AsciiItem);
    items->addWidget(HexItem);
    column->addWidget(RadioGroup1);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Box);
    auto* idGrid = new QGridLayout(Panel1);
    Label2 = new DoubleClickLabel(Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(FixedFont(true));
    // Room for the longer of the two renderings, the twelve bytes in hex, so
    // a window made in text mode shows the whole ID after a switch to HEX.
    const uint8_t twelve[12] = {};
    Label2->setMinimumWidth(Label2->fontMetrics().horizontalAdvance(QString::fromStdString(HexLine(twelve, 12))));
    Label4 = Value(QStringLiteral("Label4"), Panel1);
    StaticText1 = Spot(QStringLiteral("StaticText1"), 25, 17, Panel1);
    idGrid->addWidget(Caption(QStringLiteral("Label1"), QStringLiteral("ID: "), Panel1), 0, 0);
    idGrid->addWidget(Label2, 0, 1, 1, 2);
    idGrid->addWidget(Caption(QStringLiteral("Label3"), QStringLiteral("IC Checksum:"), Panel1), 1, 0);
    idGrid->addWidget(Label4, 1, 1);
    idGrid->addWidget(StaticText1, 1, 2, Qt::AlignRight);
    idGrid->setColumnStretch(1, 1);
    column->addWidget(Panel1);

    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("Edit ID"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Exit"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    column->addLayout(buttons);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::Box);
    auto* info = new QGridLayout(Panel2);
    StaticText5 = Spot(QStringLiteral("StaticText5"), 17, 17, Panel2);
    info->addWidget(StaticText5, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    const struct {
        const char* Name;
        const char* Text;
        QLabel** Target;
        const char* ValueName;
    } rows[] = {
        {"StaticText12", "Writer ID :", &Label5, "Label5"},
        {"StaticText13", "Writer Model :", &Label6, "Label6"},
        {"StaticText14", "Firmware Ver. :", &Label7, "Label7"},
        {"StaticText2", "Gang Writer ID :", &Label9, "Label9"},
        {"StaticText3", "Gang Writer Model :", &Label10, "Label10"},
        {"StaticText4", "Gang Writer Ver. :", &Label11, "Label11"},
    };
    int r = 1;
    for (const auto& row : rows) {
        info->addWidget(Caption(QString::fromLatin1(row.Name), QString::fromLatin1(row.Text), Panel2), r, 0);
        *row.Target = Value(QString::fromLatin1(row.ValueName), Panel2);
        info->addWidget(*row.Target, r++, 1);
    }
    Label8 = Value(QStringLiteral("Label8"), Panel2);
    Label8->setFont(FixedFont());
    info->addWidget(Label8, r, 0, 1, 2);
    info->setColumnStretch(1, 1);
    column->addWidget(Panel2);

    OptionLines = new QWidget(this);
    auto* options = new QGridLayout(OptionLines);
    options->setContentsMargins(0, 0, 0, 0);
    UserOption1 = Value(QStringLiteral("UserOption1"), OptionLines);
    BodyOption1 = Value(QStringLiteral("BodyOption1"), OptionLines);
    BodyOption2 = Value(QStringLiteral("BodyOption2"), OptionLines);
    options->addWidget(Caption(QStringLiteral("StaticText6"), QStringLiteral("User option (00h-03h) :"), OptionLines), 0, 0);
    options->addWidget(UserOption1, 0, 1);
    options->addWidget(Caption(QStringLiteral("StaticText7"), QStringLiteral("Body option (00h-03h):"), OptionLines), 1, 0);
    options->addWidget(BodyOption1, 1, 1);
    options->addWidget(Caption(QStringLiteral("StaticText8"), QStringLiteral("Body option (10h-13h):"), OptionLines), 2, 0);
    options->addWidget(BodyOption2, 2, 1);
    column->addWidget(OptionLines);
    column->addStretch(1);

    connect(AsciiItem, &QRadioButton::clicked, this, &TIDChecksumForm::RadioGroup1Change);
    connect(HexItem, &QRadioButton::clicked, this, &TIDChecksumForm::RadioGroup1Change);
    connect(Label2, &DoubleClickLabel::doubleClicked, this, &TIDChecksumForm::Label2DblClick);
    connect(Button1, &QPushButton::clicked, this, &TIDChecksumForm::Label2DblClick);
    connect(Button2, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });
    connect(StaticText1, &DoubleClickLabel::doubleClicked, this, &TIDChecksumForm::StaticText1DblClick);
    connect(StaticText5, &DoubleClickLabel::doubleClicked, this, &TIDChecksumForm::StaticText5DblClick);
    IDChecksumForm = this;
    FormCreate();
}

TIDChecksumForm::~TIDChecksumForm()
{
    if (IDChecksumForm == this) IDChecksumForm = nullptr;
}

void TIDChecksumForm::FormCreate()
{
    const Workspace& ws = Main.GetWorkspace();
    (ws.IdDisplayMode != 0 ? HexItem : AsciiItem)->setChecked(true);
    const uint8_t* info = ws.IdWords.data() + 16;
    Label5->setText(QString::fromStdString(ByteToHex(info[0])));
    Label6->setText(QString::fromStdString(ByteToHex(info[8])));
    Label7->setText(QString::fromStdString(ByteToHex(info[9])));
    Label9->setText(QString::fromStdString(ByteToHex(info[6])));
    Label10->setText(QString::fromStdString(ByteToHex(info[4])));
    Label11->setText(QString::fromStdString(ByteToHex(info[5])));
    Label8->setText(QString::fromStdString(HexLine(info, 16)));
    UserOption1->setText(QString::fromStdString(HexCells(ws.OptionWords.data(), 8)));
    BodyOption1->setText(QString::fromStdString(HexCells(ws.BodyOption.data(), 8)));
    BodyOption2->setText(QString::fromStdString(HexCells(ws.BodyOption.data() + 8, 8)));
    SetHeight(kCollapsedHeight);
    IDLabelShow();
}

void TIDChecksumForm::IDLabelShow()
{
    Workspace& ws = Main.GetWorkspace();
    RenderIdTexts(ws);
    Label2->setText(ws.IdDisplayMode != 0 ? Latin1(ws.Status.IdText) : PrintableLatin1(ws.Status.IdText));
    Label4->setText(Latin1(ws.Status.IcChecksumText));
    Main.ShowStatus();
}

void TIDChecksumForm::RadioGroup1Change()
{
    Main.GetWorkspace().IdDisplayMode = HexItem->isChecked() ? 1 : 0;
    IDLabelShow();
}

void TIDChecksumForm::Label2DblClick()
{
    TIDModify editor(Main, this);
    editor.exec();
}

void TIDChecksumForm::StaticText1DblClick() { SetHeight(Height > kCollapsedHeight ? kCollapsedHeight : kWriterInfoHeight); }

void TIDChecksumForm::StaticText5DblClick() { SetHeight(Height > kWriterInfoHeight ? kWriterInfoHeight : kOptionsHeight); }

void TIDChecksumForm::SetHeight(int height)
{
    Height = height;
    Panel2->setVisible(height > kCollapsedHeight);
    OptionLines->setVisible(height > kWriterInfoHeight);
    // The size is the MDI frame's; a window not placed yet gets it when it is.
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) return;
    const int border = frame->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, frame);
    const int chromeWidth = 2 * border;
    const int chromeHeight = 2 * border + frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
    // The nominal size, or more when the fonts need it: nothing is cut off.
    layout()->activate();
    const QSize content = sizeHint();
    const int width = std::max(296, content.width()) + chromeWidth;
    const int outerHeight = std::max(height, content.height() + chromeHeight);
    frame->setMinimumSize(0, 0);
    frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (height == kCollapsedHeight)
        frame->setFixedSize(width, outerHeight);   // collapsed: a fixed border
    else
        frame->resize(width, outerHeight);
}

void TIDChecksumForm::closeEvent(QCloseEvent* event)
{
    Main.GetWorkspace().IDFormOpen = false;
    event->accept();
}

TIDModify::TIDModify(MainContext& main, QWidget* parent) : QDialog(parent), Main(main)
{
    setObjectName(QStringLiteral("IDModify"));
    setWindowTitle(QStringLiteral("ID Modify"));
    // No close box: OK (Enter) and Cancel (Esc) end it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    const Workspace& ws = Main.GetWorkspace();
    auto* column = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Enter the ID :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    column->addWidget(Label1);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(12);
    // No key filter: the field takes any character, and keeps the ID's
    // control characters as they are.
    Edit1->setFont(FixedFont());
    MaskEdit2 = new QLineEdit(this);
    MaskEdit2->setObjectName(QStringLiteral("MaskEdit2"));
    MaskEdit2->setInputMask(QStringLiteral(">hh hh hh hh hh hh hh hh hh hh hh hh;_"));
    MaskEdit2->setFont(FixedFont());
    KeyFilterValidator::Install(MaskEdit2, HexDigitKey);
    MaskEdit2->setMinimumWidth(QFontMetrics(MaskEdit2->font()).horizontalAdvance(QString(36, QLatin1Char('0'))) + 12);
    column->addWidget(Edit1);
    column->addWidget(MaskEdit2);
    const bool hex = ws.IdDisplayMode != 0;
    Edit1->setVisible(!hex);
    MaskEdit2->setVisible(hex);
    Label1->setBuddy(hex ? static_cast<QWidget*>(MaskEdit2) : Edit1);
    if (hex)
        MaskEdit2->setText(QString::fromStdString(IdEditorHex(ws)));
    else
        Edit1->setText(QString::fromLatin1(IdEditorText(ws).c_str()));

    column->addLayout(OkCancelRow(this, BitBtn1, BitBtn2));
    connect(BitBtn1, &QPushButton::clicked, this, &TIDModify::BitBtn1Click);
    resize(std::max(299, sizeHint().width()), std::max(134, sizeHint().height()));
}

void TIDModify::BitBtn1Click()
{
    Workspace& ws = Main.GetWorkspace();
    IdBytes id{};
    if (ws.IdDisplayMode != 0) {
        // The displayed text keeps the unfilled places, which count as F.
        id = ParseIdHex(ws, MaskEdit2->displayText().toStdString());
    } else {
        const std::optional<IdBytes> text = ParseIdText(ws, Edit1->text().toLatin1().toStdString());
        if (!text) return;
        id = *text;
    }
    std::copy(id.begin(), id.end(), ws.IdWords.begin());
    if (IDChecksumForm) {
        IDChecksumForm->IDLabelShow();
    } else {
        RenderIdTexts(ws);
        Main.ShowStatus();
    }
    accept();
}
