// Hidden windows that lend the information sheet its header pictures: the
// picture page's (LogoForm1) and the printed page's (LogoForm2). Created at
// start-up, never shown.
#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

inline constexpr QSize kLogo1Size{400, 83};
inline constexpr QSize kLogo2Size{2504, 520};

class TSheetLogoForm : public QWidget {
public:
    ~TSheetLogoForm() override;

    QImage Image1;   // 24-bit, the size of its page's header

protected:
    // `self` is the global that names the window while it exists.
    TSheetLogoForm(QSize size, const char* name, TSheetLogoForm*& self, QWidget* parent);

private:
    TSheetLogoForm*& Self;
};

extern TSheetLogoForm* LogoForm1;
extern TSheetLogoForm* LogoForm2;

class TLogoForm1 : public TSheetLogoForm {
public:
    explicit TLogoForm1(QWidget* parent = nullptr) : TSheetLogoForm(kLogo1Size, "LogoForm1", LogoForm1, parent) {}
};

class TLogoForm2 : public TSheetLogoForm {
public:
    explicit TLogoForm2(QWidget* parent = nullptr) : TSheetLogoForm(kLogo2Size, "LogoForm2", LogoForm2, parent) {}
};
