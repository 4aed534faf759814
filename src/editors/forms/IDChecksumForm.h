// "ID and Checksum": the ID bytes as text or hexadecimal, the checksum the
// chip holds, and behind two hidden double-click spots the writer
// information and the option words read from the chip. "ID Modify" edits
// the ID in the chosen display mode.
#pragma once

#include <QDialog>
#include <QWidget>

class DoubleClickLabel;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class MainContext;

class TIDChecksumForm : public QWidget {
    Q_OBJECT
public:
    explicit TIDChecksumForm(MainContext& main, QWidget* parent = nullptr);
    ~TIDChecksumForm() override;

    // The window's three heights, caption included: the ID only, with the
    // writer information, with the option lines.
    static constexpr int kCollapsedHeight = 210;
    static constexpr int kWriterInfoHeight = 430;
    static constexpr int kOptionsHeight = 500;

    // Renders the ID and checksum lines here and in the main window.
    void IDLabelShow();
    void RadioGroup1Change();
    void Label2DblClick();
    void StaticText1DblClick();
    void StaticText5DblClick();
    // Shows the parts that belong to an outer height and sizes the window
    // (with its MDI frame) to it.
    void SetHeight(int height);
    int CurrentHeight() const { return Height; }

    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* AsciiItem = nullptr;
    QRadioButton* HexItem = nullptr;
    QFrame* Panel1 = nullptr;
    DoubleClickLabel* Label2 = nullptr;   // the ID
    QLabel* Label4 = nullptr;             // the checksum in the chip
    DoubleClickLabel* StaticText1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    DoubleClickLabel* StaticText5 = nullptr;
    QWidget* OptionLines = nullptr;
    QLabel* UserOption1 = nullptr;
    QLabel* BodyOption1 = nullptr;
    QLabel* BodyOption2 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();

    MainContext& Main;
    int Height = kCollapsedHeight;
};

class TIDModify : public QDialog {
    Q_OBJECT
public:
    explicit TIDModify(MainContext& main, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;       // text mode
    QLineEdit* MaskEdit2 = nullptr;   // hexadecimal mode
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

public slots:
    void BitBtn1Click();

private:
    MainContext& Main;
};

// The open ID and checksum window, or null.
extern TIDChecksumForm* IDChecksumForm;
