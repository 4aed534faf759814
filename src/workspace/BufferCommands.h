// The commands that clear, fill and reset the workspace's buffers, the
// workspace defaults of the main window's creation, and the device change.
// Window work is left to the caller: each command returns what the GUI has to
// do afterwards (re-create or close child windows, enable controls).
#pragma once

#include "workspace/Workspace.h"

#include <optional>
#include <string>
#include <string_view>

class Notifier;

// What the main window does after a command, in this order: close the
// disassembly window (and disable "Save Disassmble"), re-create or destroy
// the child windows, rebuild the program-memory grid in place, then set the
// enabled state of the controls.
struct GuiActions {
    bool RecreateIdWindow = false;        // destroy if open, create again
    bool RecreateMemoryWindow = false;    // destroy if open, create again
    bool RebuildMemoryGrid = false;       // rerun the open program-memory window's creation routine
    bool RecreateEepromWindow = false;    // destroy if open, create again
    bool DestroyEepromWindow = false;     // destroy if open, do not create
    bool ShowEepromWindow = false;        // bring the open EEPROM window to the front
    bool CloseDisasmWindow = false;       // destroy the disassembly window, disable "Save Disassmble"
    bool TileHorizontally = false;
    // Enabled state of the tool button "Erase" when set.
    std::optional<bool> EraseEnabled;
    // Enabled state of "WriteEE", "EEPROM", "Clear EEPROM Buffer" and
    // "Fill EEPROM buffer" when set.
    std::optional<bool> EepromControlsEnabled;
    bool EnableClearEepromItem = false;   // enable "Clear EEPROM Buffer"

    // Combines two results: every request of either.
    GuiActions& operator|=(const GuiActions& other);
};

// The workspace part of the main window's creation: link and auto-writer
// state cleared, the first catalogue device selected (DeviceIndex), option
// words 0 and 1, all of ProgramMemory and EepromBuffer blank, the flags and
// serial settings at their defaults, ConfigFolder = the user's settings folder.
void SetCreationDefaults(Workspace& ws);

// Option words 0 and 1 set to blank pairs of the current word model.
void BlankOptionWords(Workspace& ws);

// "Clear OPTION": blank option words 0 and 1, then UpdateOption.
void ClearOption(Workspace& ws, Notifier* notifier = nullptr);

// Every ID pair = (0x7F, BlankMaskHigh AND 0x7F), without window work.
void BlankIdWords(Workspace& ws);

// "Clear ID": blank ID words; IDFormOpen = 1; the ID window is re-created.
GuiActions ClearId(Workspace& ws);

// "Clear Buffer": every word of ProgramMemory blank; ProgramFileName
// emptied; checksums recomputed; the program-memory window re-created once
// start-up is done; the disassembly window closed when open.
GuiActions ClearBuffer(Workspace& ws);

// "Clear EEPROM Buffer": all 598 bytes 0xFF; checksums recomputed; the
// EEPROM window re-created when open.
GuiActions ClearEepromBuffer(Workspace& ws);

// "EEPROM" (View): bring the window to the front when open, else create it.
GuiActions ShowEeprom(Workspace& ws);

// Before the fill dialog of "Fill Data Buffer": FillMaxAddress = the last
// word address, FillMaxValue = the blank word.
void PrepareProgramFill(Workspace& ws);

// After the fill dialog of "Fill Data Buffer". When `confirmed`, every word
// from FillStart to FillEnd (inclusive, clamped to the device's words) is
// set to FillValue packed by the word model. Checksums are always
// recomputed; the grid is rebuilt when the window is open.
GuiActions FillProgramMemory(Workspace& ws, bool confirmed);

// Before the fill dialog of "Fill EEPROM buffer": FillMaxAddress =
// EepromSize - 1, FillMaxValue = 255.
void PrepareEepromFill(Workspace& ws);

// After the fill dialog of "Fill EEPROM buffer". When `confirmed`, every
// byte from FillStart to FillEnd (inclusive, clamped to the device's EEPROM)
// = FillValue's low 8 bits. The EEPROM window is re-created in both cases.
GuiActions FillEeprom(Workspace& ws, bool confirmed);

// A clean workspace for the device named `selectedPart` (the selector's
// text): device reloaded, option words blank unless KeepOption, serial mode
// and QTP file off (the QTP file is closed), status texts reset, ID, EEPROM
// and program memory blank, option summary redrawn, customer fields other
// than the name emptied.
GuiActions ResetData(Workspace& ws, std::string_view selectedPart, Notifier* notifier = nullptr);

// The device selector's change: blank option words with the old device's
// masks, ResetData for the new name, tile the windows, and ask for the
// adaptor when the device needs one ("Please add the adaptor").
GuiActions ChangeDevice(Workspace& ws, std::string_view selectedPart, Notifier* notifier = nullptr);

// The refresh after new data replaced the workspace (a program file loaded,
// "Read IC"): the ID and program-memory windows re-created (open or not), the EEPROM
// window re-created for a device with EEPROM and destroyed otherwise, the
// option summary redrawn (which recomputes the checksums), windows tiled.
GuiActions UpdateScreen(Workspace& ws, Notifier* notifier = nullptr);

// The ID line of the main window (Label18) and the "Checksum in IC:" value
// (Label17) as the ID window renders them for IdDisplayMode; written into
// ws.Status.IdText and ws.Status.IcChecksumText.
void RenderIdTexts(Workspace& ws);
