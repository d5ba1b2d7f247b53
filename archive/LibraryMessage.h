// The one way the library shows a message: a message box, or, once a host has set a handler
// (ZEMBRA_SetMessageHandler), the host's handler, which may log the message and answer it without a
// window in an unattended run.
#pragma once

#include "archive/ZembraApi.h"

namespace zembra {

// As MessageBoxA; the answer is the box's, or the handler's.
int LibraryMessageBox(HWND owner, const char* text, const char* caption, UINT style);

// A null handler brings the boxes back.
void SetLibraryMessageHandler(ZEMBRA_MessageHandler handler, void* context);

}  // namespace zembra
