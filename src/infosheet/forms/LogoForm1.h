// Hidden window that lends the second header picture of the information sheet. Created at start-up, never shown; its picture arrives with the sheet printing.
#pragma once

#include <QWidget>

class TLogoForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TLogoForm1(QWidget* parent = nullptr);
    ~TLogoForm1() override;
};

extern TLogoForm1* LogoForm1;
