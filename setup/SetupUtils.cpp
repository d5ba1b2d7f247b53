#include "setup/SetupUtils.h"

#include "framework/MessageBox.h"

void AddBackslash(CString& folder) {
    folder.ReleaseBuffer();
    int length = folder.GetLength();
    // A byte test: a double-byte character whose second byte has the value of a backslash also counts
    // as one, exactly as the runtime's one-character comparison sees it.
    if (length > 0 && folder[length - 1] != '\\') folder += '\\';
}

int ShowMessage(CString text, unsigned style) {
    return ShowMessageBox(text, "Setup", style | BoxTaskModal | BoxTopmost);
}
