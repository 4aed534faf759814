// The engineering panel of the main window (Panel2): three on/off switches
// whose captions name the next click's action ("Enable" while off,
// "Disable" while on) and the two pulse-width edits with their range
// keepers. The main window builds the controls; this wires them.
#pragma once

class TMainForm;

namespace engineering_forms {

// Connects the panel's buttons and edits to the handlers below; once, when
// the main window is created.
void BindEngineeringPanel(TMainForm& form);

void QtpSimClick(TMainForm& form);         // QtpSimulate, only while serial mode is on
void FlashPgmTestClick(TMainForm& form);   // FlashPgmTestOn
void btShowTimeClick(TMainForm& form);     // ShowProgramTime
void PulseWidthChange(TMainForm& form);    // kept in 1..127
void EraseWidthChange(TMainForm& form);    // kept in 1..255

}  // namespace engineering_forms
