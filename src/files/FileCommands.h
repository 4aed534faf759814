// The file commands of the main window without their dialogs: "&Load Data",
// "&Save Data Memory", "Load Config File ", "Save Config File", and the
// default configuration read at the first show and written at close. Each
// returns what the window has to do afterwards; the dialogs and widgets are
// the forms' business.
#pragma once

#include "workspace/BufferCommands.h"
#include "files/ConfigFile.h"
#include "files/ProgramFile.h"

#include <optional>
#include <string>

class Notifier;

struct FileCommandResult {
    bool Loaded = false;                          // the workspace holds the chosen file now
    GuiActions Actions;                           // window work, as the buffer commands return it
    std::optional<std::string> MemoryCaption;     // new caption of the program-memory window
    std::optional<CfgSelection> Selection;        // select these items without running change handlers
};

// Reads a configuration file and, through it, the device and program file it
// names. True when all of it is in the workspace; false with the workspace
// and selection exactly as they were (the caller then runs ResetData). On
// success `selection` holds the configured port and device, and once
// start-up is done the screen refresh is added to `actions`.
bool LoadCfg(Workspace& ws, const std::string& path, CfgSelection& selection, Notifier& notifier,
             GuiActions& actions);

// "&Load Data" once the open dialog has closed; an empty path means it was
// cancelled. A program file replaces program memory (and EEPROM where the
// format carries it) only when the whole load succeeds; a ".cfg" file is
// handed to LoadCfg, a failure of which resets the workspace.
FileCommandResult LoadDataFile(Workspace& ws, const std::string& path, const CfgSelection& current,
                               Notifier& notifier);

// "Load Config File " with the configuration filter chosen.
FileCommandResult LoadConfigFile(Workspace& ws, const std::string& path, const CfgSelection& current,
                                 Notifier& notifier);

// "Save Config File" with the configuration filter chosen.
bool SaveConfigFile(Workspace& ws, const std::string& path, const CfgSelection& current, Notifier& notifier);

// The first show of the main window: "Default.cfg" of the settings folder
// loaded when it exists (ResetData when it fails), else the option summary
// drawn for the selected device.
FileCommandResult LoadDefaultConfig(Workspace& ws, const CfgSelection& current, Notifier& notifier);

// The main window's close: the QTP input file closed, "Default.cfg" written
// in the settings folder (made when missing). A failed write is reported;
// the old file stays.
bool SaveDefaultConfig(Workspace& ws, const CfgSelection& current, Notifier& notifier);

// Texts the dialogs of these commands use.
namespace file_dialogs {
constexpr const char* kOpenTitle = "Open File";
constexpr const char* kOpenDefaultSuffix = "bin";
constexpr const char* kOpenFilter =
    "ZNV chx (*.chx)|*.chx|ZNV cbn (*.cbn)|*.cbn|PIC obj (*.obj)|*.obj|PIC hex (*.hex)|*.hex|"
    "Config file (*.cfg)|*.cfg|All File (*.*)|*.*";
constexpr const char* kSaveTitle = "Save program memory buffer";
constexpr const char* kSaveFilter = "ZNV chx files (*.chx)|*.chx|ZNV cbn files (*.cbn)|*.cbn";
constexpr int kSaveFilterIndex = 2;
constexpr const char* kSaveCfgTitle = "Save Configuration";
constexpr const char* kSaveCfgDefaultSuffix = "cfg";
constexpr const char* kSaveCfgFilter = "Config files (*.cfg)|*.cfg|QTP files (*.txt)|*.txt";
constexpr const char* kLoadCfgFilter = "Config files (*.cfg)|*.cfg|QTP file (*.txt)|*.txt";
constexpr const char* kCfgCannotSave = "File can't be saved!";
constexpr const char* kCfgCannotLoad = "Can't load file!";
}  // namespace file_dialogs
