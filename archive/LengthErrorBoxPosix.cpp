#include "archive/LengthErrorBox.h"

namespace zembra {
namespace {
LengthErrorObserver g_observer = nullptr;
void* g_context = nullptr;
}  // namespace

void ShowLengthErrorBox(const char* text) {
    if (g_observer) g_observer(text, g_context);
}

void SetLengthErrorObserver(LengthErrorObserver observer, void* context) {
    g_observer = observer;
    g_context = context;
}

}  // namespace zembra
