// Setup window of the counted automatic repetition. It exists from start-up to exit and stays hidden until its controls are built.
#pragma once

#include <QWidget>

class TAutoWriterSetupForm : public QWidget {
    Q_OBJECT
public:
    explicit TAutoWriterSetupForm(QWidget* parent = nullptr);
    ~TAutoWriterSetupForm() override;
};

extern TAutoWriterSetupForm* AutoWriterSetupForm;
