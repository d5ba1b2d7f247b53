// One extraction job per ZEMBRA_Expand: while it exists, whatever the decoder writes to the process's
// standard error stream goes into a capture file, so that a failure can carry the decoder's words.
#pragma once

#include <cstdio>

class CUnpackJob {
public:
    explicit CUnpackJob(const char* packagePath);
    virtual ~CUnpackJob();
    CUnpackJob(const CUnpackJob&) = delete;
    CUnpackJob& operator=(const CUnpackJob&) = delete;

    // 0 for success, non-zero for failure.
    virtual int Run(int inFd, int outFd) = 0;

    std::FILE* Capture() const { return m_pCapture; }
    const char* Label() const { return m_pszLabel; }

protected:
    std::FILE* m_pCapture;   // null when no capture file could be made
    int m_nSavedStderr;      // duplicate of the original standard error, -1 when none was saved
    char m_szPackage[260];
    const char* m_pszLabel;
};

class CGzipUnpackJob : public CUnpackJob {
public:
    explicit CGzipUnpackJob(const char* packagePath);
    int Run(int inFd, int outFd) override;
};

// The capture file: a temporary file that disappears when it is closed.
std::FILE* OpenCaptureFile();
