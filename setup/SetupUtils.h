// Small utilities of the setup program, used by the dialog, the installation run and its end alike.
// AddBackslash and PumpMessages live in the framework, because the library, the installation run and
// the uninstaller need them as well; the message box in the program's style is the program's own.
#pragma once

#include "framework/AddBackslash.h"
#include "framework/CString.h"
#include "framework/MessagePump.h"

// The program's message box: no owner, caption "Setup", task-modal and topmost on top of the given
// style. Returns the id of the button pressed.
int ShowMessage(CString text, unsigned style);
