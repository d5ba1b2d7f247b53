#pragma once

namespace zembra {

// The library's own message box, in the setup program's style: no owner, caption "Setup", OK only,
// no icon, task-modal and topmost so that it is seen even while the setup dialog is busy.
int ShowServiceMessage(const char* text);

}  // namespace zembra
