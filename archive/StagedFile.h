// A target file written under a temporary name in the target's folder and moved into the target's place
// only once it is complete: a decoding or copy that fails, or is cancelled, leaves the earlier file as
// it was (or no file), never a cut one.
//
// The temporary name carries 64 bits of the system's random source, so nobody can take it beforehand,
// and the file stays open, shared with nobody, from its creation until it is renamed over the target or
// deleted through that same handle. An open file keeps its folder from being renamed or replaced, and
// neither step looks the temporary file up by its path again, so no folder swapped for a link in the
// meantime can redirect them.
#pragma once

#include "archive/CrtFile.h"
#include "framework/CString.h"

#include <windows.h>

namespace zembra {

class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile() { Discard(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Checks that the target could be replaced now, then creates the temporary file. ERROR_SUCCESS or
    // the system's code: 32 for a target in use, 5 for a folder in its place or a read-only file, 3 for a
    // folder that does not exist, as opening the target itself would give.
    DWORD Begin(const char* target);
    int Fd() const { return m_file.Fd(); }

    // Moves the complete file over the target. ERROR_SUCCESS or the system's code; the temporary file is
    // gone either way.
    DWORD Commit();

    // Drops the temporary file; the target stays as it was.
    void Discard();

private:
    CString m_target;
    CString m_temporary;
    CrtFile m_file;  // its descriptor owns the handle the file is renamed or deleted through
};

}  // namespace zembra
