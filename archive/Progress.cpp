#include "archive/Progress.h"

namespace zembra {

ProgressState& Progress() {
    static ProgressState state;
    return state;
}

int32_t MulDivRounded(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    int64_t n = a, d = c;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    int64_t product = n * b;
    int64_t result = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
    if (result > 2147483647LL || result < -2147483647LL) return -1;
    return static_cast<int32_t>(result);
}

bool ScaleProgress(uint32_t position, uint32_t total, int32_t* scaled) {
    if (total > 0x7FFFFFFFu) {
        if (position == 0) return false;
        // Both divided by 1000 so that the product fits the signed 32-bit arithmetic of MulDiv.
        position /= 1000;
        total /= 1000;
    }
    *scaled = MulDivRounded(static_cast<int32_t>(position), 65535, static_cast<int32_t>(total));
    return true;
}

void UpdateProgress(uint32_t position) {
    ProgressState& p = Progress();
    int32_t scaled = 0;
    if (!ScaleProgress(position, static_cast<uint32_t>(p.total), &scaled)) return;
    if (scaled == p.lastPosition) return;
    DeliverProgress(p.window, scaled);
    p.lastPosition = scaled;
}

void SetProgress(void* window, uint32_t base, int32_t total) {
    ProgressState& p = Progress();
    p.window = window;
    p.base = base;
    p.total = total;
    UpdateProgress(base);
}

void SetCancel(int32_t code) {
    if (code == 2) Progress().cancelFlag = 1;
}

}  // namespace zembra
