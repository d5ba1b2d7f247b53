// One extraction job per ZEMBRA_Expand: while it exists, the decoder's diagnostics go into a capture
// file, so that a failure can carry the decoder's words. The file is made at the first word and removed
// when the job ends; the decoder writes into it directly and the process's standard error stream is
// left alone. An entry decoded without a word makes no file: making and removing one, and moving the
// standard error stream there and back, for every entry cost more than decoding a small one.
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

    std::FILE* Capture() const { return m_pCapture; }  // null until the decoder has said something
    const char* Label() const { return m_pszLabel; }

protected:
    static void Collect(const char* text, void* job);  // the decoder's sink

    std::FILE* m_pCapture;   // null when no capture file was needed or could be made
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
