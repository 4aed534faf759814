// Hidden window that lends the printed page's header picture of the
// information sheet. Created at start-up, never shown.
#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

inline constexpr QSize kLogo2Size{2504, 520};

class TLogoForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TLogoForm2(QWidget* parent = nullptr);
    ~TLogoForm2() override;

    QImage Image1;   // 2504 x 520, 24-bit
};

extern TLogoForm2* LogoForm2;
