#include "infosheet/forms/LogoForm1.h"

#include "infosheet/forms/SheetPainter.h"

TLogoForm1* LogoForm1 = nullptr;

TLogoForm1::TLogoForm1(QWidget* parent) : QWidget(parent), Image1(HeaderPicture(kLogo1Size))
{
    setObjectName(QStringLiteral("LogoForm1"));
    LogoForm1 = this;
}

TLogoForm1::~TLogoForm1()
{
    if (LogoForm1 == this) LogoForm1 = nullptr;
}
