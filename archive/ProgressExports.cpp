#include "archive/Progress.h"
#include "archive/ZembraApi.h"

int WINAPI ZEMBRA_SetProgress(HWND progressBar, DWORD base, int total) {
    zembra::SetProgress(progressBar, base, total);
    return 0;
}

void WINAPI ZEMBRA_SetCancel(int code) { zembra::SetCancel(code); }
