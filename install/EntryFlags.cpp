#include "install/EntryFlags.h"

#include <cstring>

EntryFlags DecodeEntryFlags(const char* text) {
    EntryFlags flags;
    if (!text || std::strlen(text) != 8) return flags;
    bool* const positions[8] = {&flags.install,         &flags.askBeforeOverwrite, &flags.clearReadOnly,
                                &flags.replaceAtRestart, &flags.compareVersions,    &flags.startProgram,
                                &flags.startHidden,      &flags.waitForEnd};
    for (int k = 0; k < 8; ++k) *positions[k] = text[k] == '1';
    return flags;
}
