#include "archive/Progress.h"

namespace zembra {
namespace {
ProgressObserver g_observer = nullptr;
void* g_context = nullptr;
}  // namespace

void DeliverProgress(void* window, int32_t position) {
    if (g_observer) g_observer(window, position, g_context);
}

void SetProgressObserver(ProgressObserver observer, void* context) {
    g_observer = observer;
    g_context = context;
}

}  // namespace zembra
