// Writer firmware update window. It exists from start-up to exit; no command of the main window opens it.
#pragma once

#include <QWidget>

class TIAPForm : public QWidget {
    Q_OBJECT
public:
    explicit TIAPForm(QWidget* parent = nullptr);
    ~TIAPForm() override;
};

extern TIAPForm* IAPForm;
