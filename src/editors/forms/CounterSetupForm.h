// "Counter Setup": the start value of the pass counter that the status
// panel shows and every good auto program advances.
#pragma once

#include <QDialog>

class MainContext;
class QLabel;
class QLineEdit;
class QPushButton;

class TCounterSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TCounterSetupForm(MainContext& main, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* BitBtn1 = nullptr;   // OK: the pass count takes the entry and the panel shows it
    QPushButton* BitBtn2 = nullptr;

    void BitBtn1Click();

private:
    MainContext& Main;
};
