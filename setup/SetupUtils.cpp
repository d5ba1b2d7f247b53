#include "setup/SetupUtils.h"

#include "framework/MessageBox.h"

int ShowMessage(CString text, unsigned style) {
    return ShowMessageBox(text, "Setup", style | BoxTaskModal | BoxTopmost);
}
