// The exported interface of zembra1.dll, shared by the library and by the programs that bind it.
//
// Plain texts are zero-terminated 8-bit strings owned by the caller. String objects (CString) cross
// the interface filled through pointers or passed by value; both sides are built by the same compiler
// against the same C runtime heap, which is what makes that sound.
#pragma once

#include "framework/CString.h"

#include <windows.h>

extern "C" {

int WINAPI ZEMBRA_Expand(const char* package, const char* folder, const char* key, const char* fileName, int unused);
int WINAPI ZEMBRA_Copy(const char* package, const char* folder, const char* key, const char* fileName, int unused);
int WINAPI ZEMBRA_Init(const char* package, const char* tempFolder, int reserved1, int reserved2, int reserved3);
int WINAPI ZEMBRA_Exit();
int WINAPI ZEMBRA_SetProgress(HWND progressBar, DWORD base, int total);
void WINAPI ZEMBRA_SetCancel(int code);
bool WINAPI ZEMBRA_GetInstallPath(CString* targetDir, CString* listDir, const char* iniPath, const char* productName,
                                  bool* mayChange);
void WINAPI ZEMBRA_SetRegEntry(CString path, CString data);
int WINAPI ZEMBRA_IsUserMemberOfGroup(int group);
int WINAPI ZEMBRA_CheckVersion(CString path, DWORD versionHigh, DWORD versionLow);
bool WINAPI ZEMBRA_ReplaceFileOnReboot(const char* path);
bool WINAPI ZEMBRA_IsThisNT();

// The library's message boxes go to handler instead, with what MessageBoxA would get; its result is
// taken as the box's answer. A null handler shows boxes again. For hosts that run without a window
// (/quiet) or keep a log.
typedef int(WINAPI* ZEMBRA_MessageHandler)(HWND owner, const char* text, const char* caption, UINT style,
                                            void* context);
void WINAPI ZEMBRA_SetMessageHandler(ZEMBRA_MessageHandler handler, void* context);

// The language of the library's boxes: "de" (the default) German, any other language code the
// product speaks ("en", "fr", ...) English. For hosts that speak the user's language; older ones never
// call it and get German, as ever.
void WINAPI ZEMBRA_SetLanguage(const char* language);

}  // extern "C"

// Function-pointer types for binding the exports with GetProcAddress.
using PFN_ZEMBRA_Expand = decltype(&ZEMBRA_Expand);
using PFN_ZEMBRA_Copy = decltype(&ZEMBRA_Copy);
using PFN_ZEMBRA_Init = decltype(&ZEMBRA_Init);
using PFN_ZEMBRA_Exit = decltype(&ZEMBRA_Exit);
using PFN_ZEMBRA_SetProgress = decltype(&ZEMBRA_SetProgress);
using PFN_ZEMBRA_SetCancel = decltype(&ZEMBRA_SetCancel);
using PFN_ZEMBRA_GetInstallPath = decltype(&ZEMBRA_GetInstallPath);
using PFN_ZEMBRA_SetRegEntry = decltype(&ZEMBRA_SetRegEntry);
using PFN_ZEMBRA_IsUserMemberOfGroup = decltype(&ZEMBRA_IsUserMemberOfGroup);
using PFN_ZEMBRA_CheckVersion = decltype(&ZEMBRA_CheckVersion);
using PFN_ZEMBRA_ReplaceFileOnReboot = decltype(&ZEMBRA_ReplaceFileOnReboot);
using PFN_ZEMBRA_IsThisNT = decltype(&ZEMBRA_IsThisNT);
using PFN_ZEMBRA_SetMessageHandler = decltype(&ZEMBRA_SetMessageHandler);
using PFN_ZEMBRA_SetLanguage = decltype(&ZEMBRA_SetLanguage);
