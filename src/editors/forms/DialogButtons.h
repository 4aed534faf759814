// The "OK" and "Cancel" row of the editor dialogs.
#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

// Makes "OK" (BitBtn1, the default button) and "Cancel" (BitBtn2, which
// rejects the dialog), right-aligned in a row for the caller's layout. OK's
// handler is the caller's.
QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);
