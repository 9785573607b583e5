#pragma once
// Dialog data exchange routines: each moves one value between a member of
// the dialog and the control with the given id, in the direction of pDX.
// Saving text that is not a valid value tells the user so and fails the
// exchange (CDataExchange::Fail), which keeps the dialog open.
#include <QString>

class CDataExchange;
class QWidget;

// Any control with a text: an edit, a static, a button's caption.
void DDX_Text(CDataExchange* pDX, int id, QString& value);
// An edit holding a whole number or a number with a decimal point '.'.
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, double& value);
// A check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int id, int& value);

// Puts control in the place of the dialog's control id the first time (its
// parent, geometry, id, object name, accessible name, tab position and
// visibility; the template's control goes), as the platform subclasses a
// dialog item with a class of the program's own. Later exchanges find it
// there and leave it.
void DDX_Control(CDataExchange* pDX, int id, QWidget& control);
