#include "serialno/forms/QtpFileDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QString>

namespace {

const QString kConfigFilter = QStringLiteral("Config files (*.cfg)");

QtpFileChoice Choice(const QString& path, const QString& chosenFilter, const QString& qtpFilter)
{
    QtpFileChoice choice;
    choice.Chosen = !path.isEmpty();
    choice.QtpFilter = chosenFilter == qtpFilter;
    choice.Path = QFile::encodeName(path).toStdString();
    return choice;
}

}  // namespace

QtpFileChoice AskQtpFileToLoad(QWidget* parent)
{
    const QString qtpFilter = QStringLiteral("QTP file (*.txt)");
    QString selected = qtpFilter;
    const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(),
                                                      kConfigFilter + ";;" + qtpFilter, &selected);
    return Choice(path, selected, qtpFilter);
}

QtpFileChoice AskQtpFileToSave(QWidget* parent)
{
    const QString qtpFilter = QStringLiteral("QTP files (*.txt)");
    QString selected = qtpFilter;
    // The replace question is the core's, asked after ".txt" was added.
    const QString path = QFileDialog::getSaveFileName(parent, QString(), QString(),
                                                      kConfigFilter + ";;" + qtpFilter, &selected,
                                                      QFileDialog::DontConfirmOverwrite);
    return Choice(path, selected, qtpFilter);
}
