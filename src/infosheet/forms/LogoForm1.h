// Hidden window that lends the picture page's header picture of the
// information sheet. Created at start-up, never shown.
#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

inline constexpr QSize kLogo1Size{400, 83};

class TLogoForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TLogoForm1(QWidget* parent = nullptr);
    ~TLogoForm1() override;

    QImage Image1;   // 400 x 83, 24-bit
};

extern TLogoForm1* LogoForm1;
