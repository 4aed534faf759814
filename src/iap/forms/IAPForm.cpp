#include "iap/forms/IAPForm.h"

TIAPForm* IAPForm = nullptr;

TIAPForm::TIAPForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("IAPForm"));
    IAPForm = this;
}

TIAPForm::~TIAPForm()
{
    if (IAPForm == this) IAPForm = nullptr;
}

void ShowFirmwareUpdate(Workspace&, Notifier&, QWidget*)
{
    if (IAPForm) IAPForm->show();
}
