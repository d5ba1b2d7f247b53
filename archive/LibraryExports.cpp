#include "archive/LibraryExit.h"
#include "archive/ZembraApi.h"

int WINAPI ZEMBRA_Exit() { return zembra::ExitLibrary(); }
