// Hidden window that lends the first header picture of the information sheet. Created at start-up, never shown; its picture arrives with the sheet printing.
#pragma once

#include <QWidget>

class TLogoForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TLogoForm2(QWidget* parent = nullptr);
    ~TLogoForm2() override;
};

extern TLogoForm2* LogoForm2;
