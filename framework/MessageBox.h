// The system's message box, as a free function that portable code can call.
//
// On Windows it is MessageBoxA with no owner window, unless a program has set a hook to route its
// boxes (to a log, or nowhere in an unattended run). Native builds have no windows: a box goes to a
// hook that a test installs to read the text and choose the answer.
#pragma once

// Style flags and answers, with the values of the Win32 MB_ and ID constants (checked where the
// Windows build includes both), so that portable code needs no system header.
enum : unsigned {
    BoxOk = 0x0,
    BoxOkCancel = 0x1,
    BoxAbortRetryIgnore = 0x2,
    BoxYesNoCancel = 0x3,
    BoxYesNo = 0x4,
    BoxRetryCancel = 0x5,
    BoxIconError = 0x10,
    BoxIconQuestion = 0x20,
    BoxIconExclamation = 0x30,
    BoxIconInformation = 0x40,
    BoxTaskModal = 0x2000,
    BoxTopmost = 0x40000,
};
enum : int { BoxIdOk = 1, BoxIdCancel = 2, BoxIdAbort = 3, BoxIdRetry = 4, BoxIdIgnore = 5, BoxIdYes = 6, BoxIdNo = 7 };

// Shows text with caption and style; returns the id of the button pressed.
int ShowMessageBox(const char* text, const char* caption, unsigned style);

// The platform's box without the hook: MessageBoxA with no owner, or natively a line on standard error.
int SystemMessageBox(const char* text, const char* caption, unsigned style);

// Every box goes to the hook, which returns the answer; a null hook restores the default. Without a
// hook a native build writes the box to standard error and answers it with DecliningAnswer.
using MessageBoxHook = int (*)(const char* text, const char* caption, unsigned style, void* context);
void SetMessageBoxHook(MessageBoxHook hook, void* context);

// The button that declines: Cancel, No or Abort; OK when it is the only one.
inline int DecliningAnswer(unsigned style) {
    switch (style & 0xF) {
        case BoxOkCancel:
        case BoxYesNoCancel:
        case BoxRetryCancel: return BoxIdCancel;
        case BoxAbortRetryIgnore: return BoxIdAbort;
        case BoxYesNo: return BoxIdNo;
        default: return BoxIdOk;
    }
}
