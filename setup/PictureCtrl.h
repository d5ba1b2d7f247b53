// CPictureCtrl: a static control that shows a picture file (any format the system's OLE picture
// loader reads), centred or right-aligned on a background colour and clipped to the control.
#pragma once

#include "framework/Controls.h"
#include "setup/WhitePanel.h"

#include <ocidl.h>
#include <olectl.h>

class CPictureCtrl : public CStatic {
public:
    CPictureCtrl() = default;
    ~CPictureCtrl() override;

    bool SetPictureFile(const char* path);
    bool LoadPicture(const char* path);

    CString m_strFile;
    SIZE m_sizeHimetric = {0, 0};
    bool m_bCenter = true;
    bool m_bKeepX = true;
    bool m_bAlignRight = false;
    COLORREF m_crBack = RGB(0, 0, 0);
    IPicture* m_pPicture = nullptr;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
};
