#include "link/forms/AutoWriterSetupForm.h"

TAutoWriterSetupForm* AutoWriterSetupForm = nullptr;

TAutoWriterSetupForm::TAutoWriterSetupForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AutoWriterSetupForm"));
    AutoWriterSetupForm = this;
}

TAutoWriterSetupForm::~TAutoWriterSetupForm()
{
    if (AutoWriterSetupForm == this) AutoWriterSetupForm = nullptr;
}
