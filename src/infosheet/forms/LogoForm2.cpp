#include "infosheet/forms/LogoForm2.h"

#include "infosheet/forms/SheetPainter.h"

TLogoForm2* LogoForm2 = nullptr;

TLogoForm2::TLogoForm2(QWidget* parent) : QWidget(parent), Image1(HeaderPicture(kLogo2Size))
{
    setObjectName(QStringLiteral("LogoForm2"));
    LogoForm2 = this;
}

TLogoForm2::~TLogoForm2()
{
    if (LogoForm2 == this) LogoForm2 = nullptr;
}
