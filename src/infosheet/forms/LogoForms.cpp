#include "infosheet/forms/LogoForms.h"

#include "infosheet/forms/SheetPainter.h"

TSheetLogoForm* LogoForm1 = nullptr;
TSheetLogoForm* LogoForm2 = nullptr;

TSheetLogoForm::TSheetLogoForm(QSize size, const char* name, TSheetLogoForm*& self, QWidget* parent)
    : QWidget(parent), Image1(HeaderPicture(size)), Self(self)
{
    setObjectName(QString::fromLatin1(name));
    Self = this;
}

TSheetLogoForm::~TSheetLogoForm()
{
    if (Self == this) Self = nullptr;
}
