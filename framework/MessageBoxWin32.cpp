#include "framework/MessageBox.h"

#include <windows.h>

static_assert(BoxOk == MB_OK && BoxOkCancel == MB_OKCANCEL && BoxAbortRetryIgnore == MB_ABORTRETRYIGNORE &&
                  BoxYesNoCancel == MB_YESNOCANCEL && BoxYesNo == MB_YESNO && BoxRetryCancel == MB_RETRYCANCEL,
              "button flags");
static_assert(BoxIconError == MB_ICONERROR && BoxIconQuestion == MB_ICONQUESTION &&
                  BoxIconExclamation == MB_ICONEXCLAMATION && BoxIconInformation == MB_ICONINFORMATION,
              "icon flags");
static_assert(BoxTaskModal == MB_TASKMODAL && BoxTopmost == MB_TOPMOST, "modality flags");
static_assert(BoxIdOk == IDOK && BoxIdCancel == IDCANCEL && BoxIdAbort == IDABORT && BoxIdRetry == IDRETRY &&
                  BoxIdIgnore == IDIGNORE && BoxIdYes == IDYES && BoxIdNo == IDNO,
              "answers");

int SystemMessageBox(const char* text, const char* caption, unsigned style) {
    return ::MessageBoxA(nullptr, text, caption, style);
}
