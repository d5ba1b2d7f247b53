// The progress and cancel channel between the library and its host.
//
// The host sets a progress window, a base and a total (ZEMBRA_SetProgress); extraction reports byte
// positions on the host's scale through UpdateProgress, which scales them to the bar's 0..65535, sends
// a position only when it changes and then drains the host's message queue (where the host may ask
// for a cancel).
#pragma once

#include <cstdint>

namespace zembra {

struct ProgressState {
    void* window = nullptr;   // progress-bar control (HWND), may be null
    uint32_t base = 0;        // bytes done before the current operation
    int32_t total = 0;        // the host's 100 %
    int32_t lastPosition = 0; // last scaled position sent
    volatile uint8_t cancelFlag = 0;
};

ProgressState& Progress();

// The platform's MulDiv: a * b / c with 64-bit intermediate, rounded half away from zero; -1 for a
// zero divisor or a result outside the 32-bit range.
int32_t MulDivRounded(int32_t a, int32_t b, int32_t c);

// Scaled bar position of a byte position for the current total; returns false when nothing at all is
// to be done (a total above 2^31 - 1 and position 0).
bool ScaleProgress(uint32_t position, uint32_t total, int32_t* scaled);

void UpdateProgress(uint32_t position);
void SetProgress(void* window, uint32_t base, int32_t total);
void SetCancel(int32_t code);

// Platform side of UpdateProgress: send the position to the window (when set) and drain the message
// queue. Natively a test may install an observer that stands for the host's message handling.
void DeliverProgress(void* window, int32_t position);
#ifndef _WIN32
using ProgressObserver = void (*)(void* window, int32_t position, void* context);
void SetProgressObserver(ProgressObserver observer, void* context);
#endif

}  // namespace zembra
