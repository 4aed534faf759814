// The file commands of the main window with their dialogs: "&Load Data",
// "&Save Data Memory", "Load Config File ", "Save Config File", and the
// default configuration at the first show and at close. Each handler of the
// main window calls one of these; the rules are in the core (FileCommands).
#pragma once

#include <QString>

#include <functional>

class QWidget;
class MainContext;

namespace file_forms {

// One file dialog as the command asks for it.
struct FileDialogRequest {
    bool Save = false;
    QString Title;
    QString Filter;          // Qt form, "Desc (*.x);;Desc (*.y)"
    int FilterIndex = 1;     // preselected, counted from 1
    QString DefaultSuffix;
    QString FileName;        // preset name
    bool QtAsksOverwrite = true;   // false when the command asks its own replace question
};

// The user's choice: an empty path means the dialog was cancelled.
struct FileDialogChoice {
    QString Path;
    int FilterIndex = 1;     // the filter chosen, counted from 1
};

// Shows the dialogs; tests replace it to choose files without a window.
using FileDialogRunner = std::function<FileDialogChoice(const FileDialogRequest&)>;
void SetFileDialogRunner(FileDialogRunner runner);   // an empty runner restores the Qt dialogs
// Runs one dialog over parent (through the runner when one is set).
FileDialogChoice RunFileDialog(QWidget* parent, const FileDialogRequest& request);

// The "Desc|*.x|Desc|*.y" filters of the commands in Qt form.
QString QtFilter(const char* pipeFilter);

void LoadData(MainContext& form);            // FileOpen1Execute
void SaveProgramMemory(MainContext& form);   // SaveProgramMemory1Click
void LoadConfig(MainContext& form);          // LoadConfig1Click
void SaveConfig(MainContext& form);          // FileSaveItemClick

// First show: loads "Default.cfg" of the settings folder when it exists (its
// device and port selected without running the change handlers, ResetData
// when it fails) and returns true; false when there is no such file.
bool LoadDefaultConfig(MainContext& form);
// Close: writes "Default.cfg"; a failed write is reported.
void SaveDefaultConfig(MainContext& form);

}  // namespace file_forms
