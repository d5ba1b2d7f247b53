// The progress channel through the real DLL and a real progress-bar control.
#include "tests/win/support/ZembraLibrary.h"

#include <gtest/gtest.h>

#include <commctrl.h>

TEST(ProgressExport, MovesARealProgressBar) {
    ZembraLibrary lib;
    ASSERT_TRUE(lib.Loaded());
    auto setProgress = ZEMBRA_BIND(lib, ZEMBRA_SetProgress);
    ASSERT_NE(nullptr, setProgress);

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, bar);
    SendMessageA(bar, PBM_SETRANGE32, 0, 65535);

    setProgress(bar, 500, 1000);
    EXPECT_EQ(32768, SendMessageA(bar, PBM_GETPOS, 0, 0));
    setProgress(bar, 1000, 1000);
    EXPECT_EQ(65535, SendMessageA(bar, PBM_GETPOS, 0, 0));
    DestroyWindow(bar);
}
