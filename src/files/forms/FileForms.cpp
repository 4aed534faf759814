#include "files/forms/FileForms.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "files/FileCommands.h"
#include "files/FileNames.h"
#include "files/SafeFile.h"
#include "platform/Notifier.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStringList>

namespace file_forms {
namespace {

FileDialogRunner& Runner()
{
    static FileDialogRunner runner;
    return runner;
}

FileDialogChoice RunQtDialog(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent, request.Title);
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = request.Filter.split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.FilterIndex - 1));
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (request.Save && request.DefaultSuffix.isEmpty()) {
        // A typed name without extension gets the one of the chosen filter,
        // inside the dialog, so that its replace question names the file
        // that is really written.
        auto follow = [&dialog](const QString& filter) {
            const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
            dialog.setDefaultSuffix(m.hasMatch() ? m.captured(1) : QString());
        };
        follow(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    }
    if (!request.QtAsksOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    FileDialogChoice choice;
    choice.Path = dialog.selectedFiles().constFirst();
    choice.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return choice;
}

FileDialogChoice Ask(MainContext& form, const FileDialogRequest& request) { return RunFileDialog(form.Window(), request); }

// Paths travel as the file system's own bytes.
std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString DisplayPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

CfgSelection CurrentSelection(MainContext& form)
{
    CfgSelection selection;
    selection.PortIndex = form.PortIndex() < 0 ? 0 : form.PortIndex();
    selection.DeviceText = form.SelectedDevice();
    return selection;
}

// Puts a loaded configuration's port and device into the selectors without
// running their change handlers, then does the window work.
void Apply(MainContext& form, const FileCommandResult& result)
{
    if (result.Selection) {
        form.SetPortIndex(result.Selection->PortIndex);
        form.SetSelectedDevice(result.Selection->DeviceText);
    }
    form.ApplyGuiActions(result.Actions);
}

QString ProposedName(const Workspace& ws) { return DisplayPath(ProposedFileName(ws.ProgramFileName)); }

}  // namespace

void SetFileDialogRunner(FileDialogRunner runner) { Runner() = std::move(runner); }

FileDialogChoice RunFileDialog(QWidget* parent, const FileDialogRequest& request)
{
    if (Runner()) return Runner()(request);
    return RunQtDialog(parent, request);
}

QString QtFilter(const char* pipeFilter)
{
    const QStringList parts = QString::fromLatin1(pipeFilter).split(QLatin1Char('|'));
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2) descriptions << parts.at(i);
    return descriptions.join(QStringLiteral(";;"));
}

void LoadData(MainContext& form)
{
    Workspace& ws = form.GetWorkspace();
    FileDialogRequest request;
    request.Title = QString::fromLatin1(file_dialogs::kOpenTitle);
    request.Filter = QtFilter(file_dialogs::kOpenFilter);
    request.DefaultSuffix = QString::fromLatin1(file_dialogs::kOpenDefaultSuffix);
    request.FileName = ProposedName(ws);
    const FileDialogChoice choice = Ask(form, request);
    Apply(form, LoadDataFile(ws, LocalPath(choice.Path), CurrentSelection(form), form.GetNotifier()));
}

void SaveProgramMemory(MainContext& form)
{
    Workspace& ws = form.GetWorkspace();
    FileDialogRequest request;
    request.Save = true;
    request.Title = QString::fromLatin1(file_dialogs::kSaveTitle);
    request.Filter = QtFilter(file_dialogs::kSaveFilter);
    request.FilterIndex = file_dialogs::kSaveFilterIndex;
    // No default suffix: the extension follows the chosen filter (SaveTargetFor).
    request.FileName = ProposedName(ws);
    const FileDialogChoice choice = Ask(form, request);
    if (choice.Path.isEmpty()) return;
    const SaveTarget target = SaveTargetFor(LocalPath(choice.Path), choice.FilterIndex);
    SaveProgramMemory(ws, target.Path, target.Format, form.GetNotifier());
}

void LoadConfig(MainContext& form)
{
    FileDialogRequest request;
    request.Filter = QtFilter(file_dialogs::kLoadCfgFilter);
    const FileDialogChoice choice = Ask(form, request);
    if (choice.Path.isEmpty()) return;
    if (choice.FilterIndex == 2) {
        form.GetNotifier().Message(file_dialogs::kCfgCannotLoad);
        return;
    }
    Apply(form, LoadConfigFile(form.GetWorkspace(), LocalPath(choice.Path), CurrentSelection(form),
                               form.GetNotifier()));
}

void SaveConfig(MainContext& form)
{
    Workspace& ws = form.GetWorkspace();
    FileDialogRequest request;
    request.Save = true;
    request.Title = QString::fromLatin1(file_dialogs::kSaveCfgTitle);
    request.Filter = QtFilter(file_dialogs::kSaveCfgFilter);
    request.DefaultSuffix = QString::fromLatin1(file_dialogs::kSaveCfgDefaultSuffix);
    request.FileName = ProposedName(ws);
    const FileDialogChoice choice = Ask(form, request);
    if (choice.Path.isEmpty()) return;
    if (choice.FilterIndex == 2) {
        form.GetNotifier().Message(file_dialogs::kCfgCannotSave);
        return;
    }
    SaveConfigFile(ws, LocalPath(choice.Path), CurrentSelection(form), form.GetNotifier());
}

bool LoadDefaultConfig(MainContext& form)
{
    Workspace& ws = form.GetWorkspace();
    if (!FileExists(DefaultConfigPath(ws.ConfigFolder))) return false;
    Apply(form, ::LoadDefaultConfig(ws, CurrentSelection(form), form.GetNotifier()));
    return true;
}

void SaveDefaultConfig(MainContext& form)
{
    ::SaveDefaultConfig(form.GetWorkspace(), CurrentSelection(form), form.GetNotifier());
}

}  // namespace file_forms
