#include "framework/WaitCursor.h"

void BeginWaitCursor() {}
void EndWaitCursor() {}
void RestoreWaitCursor() {}
