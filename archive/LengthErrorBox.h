// The box shown when an entry's recorded length differs from what was decoded while its CRC matched.
// On Windows it is the class library's standard box: the host application's title as caption, OK.
// Natively a test observes it through a hook.
#pragma once

namespace zembra {

void ShowLengthErrorBox(const char* text);

#ifndef _WIN32
using LengthErrorObserver = void (*)(const char* text, void* context);
void SetLengthErrorObserver(LengthErrorObserver observer, void* context);
#endif

}  // namespace zembra
