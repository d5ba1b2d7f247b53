#include "archive/LibraryExit.h"
#include "archive/LibraryMessage.h"
#include "archive/ZembraApi.h"
#include "framework/LocalText.h"

int WINAPI ZEMBRA_Exit() { return zembra::ExitLibrary(); }

void WINAPI ZEMBRA_SetMessageHandler(ZEMBRA_MessageHandler handler, void* context) {
    zembra::SetLibraryMessageHandler(handler, context);
}

void WINAPI ZEMBRA_SetLanguage(const char* language) {
    zembra::SetTextLanguage(zembra::FixedTextLanguage(language ? language : ""));
}
