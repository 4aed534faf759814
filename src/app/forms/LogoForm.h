// The splash window shown while the main window is being built: a borderless
// 336 x 305 picture centred on the desktop.
#pragma once

#include <QWidget>

class QLabel;

class TLogoForm : public QWidget {
    Q_OBJECT
public:
    explicit TLogoForm(QWidget* parent = nullptr);
    ~TLogoForm() override;

    // Whether the stored picture could be decoded (a window without it
    // still shows, plain).
    bool PictureLoaded() const { return Loaded; }

    QLabel* Image1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool Loaded = false;
};

// The splash window while it exists, else null.
extern TLogoForm* LogoForm;
