// Any bytes as a profile file: Load must neither crash nor read out of bounds, and what it loaded must
// save and answer lookups.
#include "framework/MessageBox.h"
#include "profile/CProfileDocument.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

char g_input[64], g_output[64];

void RemoveTempFiles() {
    std::remove(g_input);
    std::remove(g_output);
}

// In memory where the system offers it: the target writes and renames files on every run.
void MakeTempPath(char (&path)[64], const char* tag) {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::snprintf(path, sizeof path, "%s/zembra-fuzz-%s-XXXXXX", folder, tag);
    int fd = mkstemp(path);
    if (fd < 0) std::abort();
    close(fd);
}

int Quiet(const char*, const char*, unsigned, void*) { return BoxIdOk; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) {
        MakeTempPath(g_input, "in");
        MakeTempPath(g_output, "out");
        std::atexit(RemoveTempFiles);
        SetMessageBoxHook(&Quiet, nullptr);
        ready = true;
    }

    FILE* f = std::fopen(g_input, "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);

    CProfileDocument doc;
    doc.SetPath(g_input);
    bool loaded = doc.Load();
    if (loaded != (doc.m_nSectionCount > 0) && doc.m_bUniqueKeys) std::abort();
    doc.GetString("Doc", "ProName", "");
    doc.GetInt("Doc", "FileCount", 0);
    for (int s = 0; s < doc.m_nSectionCount && s < 8; ++s) {
        const CProfileEntry& section = doc.m_Sections[static_cast<size_t>(s)];
        for (int k = 0; k < section.m_nKeyCount && k < 8; ++k)
            doc.GetString(section.m_strName, section.m_Keys[static_cast<size_t>(k)].m_strName, "");
    }
    doc.m_strPath = g_output;
    doc.Save();
    return 0;
}
