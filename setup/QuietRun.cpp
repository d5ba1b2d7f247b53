#include "setup/QuietRun.h"

void CQuietRun::Run() {
    if (!Prepare()) return;
    Install();
    if (m_bCompleted) StartPrograms(false);
}
