// One extraction job per ZEMBRA_Expand: while it exists, the decoder's diagnostics go into a capture
// file, so that a failure can carry the decoder's words. One capture file serves all jobs of a
// process: emptied when a job begins, and removed by the system when the process closes it at its
// end. The decoder writes into it directly; the process's standard error stream is left alone.
// Making and removing a file, and moving the standard error stream there and back, for every job cost
// more than decoding a small entry.
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
    std::FILE* m_pCapture;   // the process's capture file, empty at the start; null when none could be made
    char m_szPackage[260];
    const char* m_pszLabel;
};

class CGzipUnpackJob : public CUnpackJob {
public:
    explicit CGzipUnpackJob(const char* packagePath);
    int Run(int inFd, int outFd) override;
};

// A new capture file: a temporary file that disappears when it is closed.
std::FILE* OpenCaptureFile();
