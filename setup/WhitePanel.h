// CWhitePanel: a static control painted all white, behind the page area.
#pragma once

#include "framework/Controls.h"

class CWhitePanel : public CStatic {
protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
