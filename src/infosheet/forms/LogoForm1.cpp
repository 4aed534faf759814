#include "infosheet/forms/LogoForm1.h"

TLogoForm1* LogoForm1 = nullptr;

TLogoForm1::TLogoForm1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LogoForm1"));
    LogoForm1 = this;
}

TLogoForm1::~TLogoForm1()
{
    if (LogoForm1 == this) LogoForm1 = nullptr;
}
