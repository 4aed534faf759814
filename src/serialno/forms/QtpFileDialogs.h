// The file dialogs of the QTP file: the open dialog of "Load QTP File" and
// the save dialog of the settings dialog's "QTP File" button. Each returns
// what was chosen for the core (LoadQTPFile1Click, WriteQtpFile) to act on.
#pragma once

#include "serialno/QtpFile.h"

class QWidget;

// The open dialog, "QTP file (*.txt)" preselected after "Config files (*.cfg)".
QtpFileChoice AskQtpFileToLoad(QWidget* parent);

// The save dialog, "QTP files (*.txt)" preselected after "Config files (*.cfg)".
QtpFileChoice AskQtpFileToSave(QWidget* parent);
