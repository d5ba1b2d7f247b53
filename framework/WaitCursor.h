// The hourglass while a long operation runs. Nested uses count; the last end restores the cursor
// that was shown before the first. Native builds have no cursor and do nothing.
#pragma once

void BeginWaitCursor();
void EndWaitCursor();
// Shows the hourglass again while one is begun: a message box or a started program may have changed
// the cursor meanwhile.
void RestoreWaitCursor();

// Shows the hourglass for the lifetime of the object, whichever way the scope is left.
class CWaitCursor {
public:
    CWaitCursor() { BeginWaitCursor(); }
    ~CWaitCursor() { EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
