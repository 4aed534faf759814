#include "link/forms/AutoWriterSetupForm.h"

#include "link/AutoWriter.h"
#include "platform/forms/KeyFilter.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TAutoWriterSetupForm* AutoWriterSetupForm = nullptr;

TAutoWriterSetupForm::TAutoWriterSetupForm(Workspace& ws, QWidget* parent) : QDialog(parent), ws_(ws)
{
    setObjectName(QStringLiteral("AutoWriterSetupForm"));
    setWindowTitle(QStringLiteral("Auto Writer Setup"));
    auto* grid = new QGridLayout(this);
    auto label = [&](const char* name, const char* text, int row, int column, int span = 1) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setObjectName(QString::fromLatin1(name));
        grid->addWidget(l, row, column, 1, span);
        return l;
    };
    auto edit = [&](const char* name, const char* text, int digits, int row) {
        auto* e = new QLineEdit(QString::fromLatin1(text), this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(digits);
        KeyFilterValidator::Install(e, DecimalDigitKey);
        grid->addWidget(e, row, 1);
        return e;
    };
    // Each edit is named by the label before it.
    QLabel* countLabel = label("Label1", "Writer EA:", 0, 0);
    Edit1 = edit("Edit1", "0000000000", 10, 0);
    countLabel->setBuddy(Edit1);
    label("Label3", "EA", 0, 2);
    label("Label5", "Writer EA Max is  2^32--1 EA", 1, 0, 3);
    QLabel* delayLabel = label("Label2", "Dealy Time:", 2, 0);
    Edit2 = edit("Edit2", "00001", 5, 2);
    delayLabel->setBuddy(Edit2);
    label("Label4", "mS", 2, 2);
    label("Label6", "Dealy Time Max is  10000mS.", 3, 0, 3);
    Button1 = new QPushButton(QStringLiteral("Set"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Exit"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    grid->addWidget(Button1, 4, 0);
    grid->addWidget(Button2, 4, 2);
    connect(Edit1, &QLineEdit::editingFinished, this, &TAutoWriterSetupForm::Edit1Exit);
    connect(Edit2, &QLineEdit::editingFinished, this, &TAutoWriterSetupForm::Edit2Exit);
    connect(Button1, &QPushButton::clicked, this, &TAutoWriterSetupForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    if (!AutoWriterSetupForm) AutoWriterSetupForm = this;
}

TAutoWriterSetupForm::~TAutoWriterSetupForm()
{
    if (AutoWriterSetupForm == this) AutoWriterSetupForm = nullptr;
}

Workspace& TAutoWriterSetupForm::Ws()
{
    return ws_;
}

void TAutoWriterSetupForm::Edit1Exit()
{
    Edit1->setText(QString::fromStdString(NormaliseWriterCount(Edit1->text().toStdString())));
}

void TAutoWriterSetupForm::Edit2Exit()
{
    Edit2->setText(QString::fromStdString(NormaliseDelayTime(Edit2->text().toStdString())));
}

void TAutoWriterSetupForm::Button1Click()
{
    // The texts are taken as they would be on leaving the edits.
    Edit1Exit();
    Edit2Exit();
    ArmAutoWriter(Ws(), WriterCountValue(Edit1->text().toStdString()), DelayTimeValue(Edit2->text().toStdString()));
    accept();
}

void RunAutoWriterSetup(Workspace& ws, QWidget* owner)
{
    TAutoWriterSetupForm form(ws, owner);
    form.exec();
}
