#include "archive/UnpackJob.h"

#include "archive/CrtIo.h"
#include "archive/GzipDecoder.h"

#include <cstring>

namespace {
constexpr int kStandardError = 2;
}

CUnpackJob::CUnpackJob(const char* packagePath)
    : m_pCapture(nullptr), m_nSavedStderr(-1), m_szPackage(), m_pszLabel("") {
    zembra::GzipResetBytesWritten();
    m_pCapture = OpenCaptureFile();
    if (m_pCapture) {
        std::fflush(stderr);
        m_nSavedStderr = zembra::CrtDup(kStandardError);
        zembra::CrtDup2(fileno(m_pCapture), kStandardError);
    }
    if (packagePath) std::strncpy(m_szPackage, packagePath, sizeof m_szPackage - 1);
}

CUnpackJob::~CUnpackJob() {
    if (m_pCapture) {
        std::fflush(stderr);
        if (m_nSavedStderr >= 0) {
            zembra::CrtDup2(m_nSavedStderr, kStandardError);
            zembra::CrtClose(m_nSavedStderr);
        } else {
            // A program without a standard error stream gets none back, not the deleted capture file.
            zembra::CrtClose(kStandardError);
        }
        std::fclose(m_pCapture);
    }
}

CGzipUnpackJob::CGzipUnpackJob(const char* packagePath) : CUnpackJob(packagePath) { m_pszLabel = "Entpacken"; }

int CGzipUnpackJob::Run(int inFd, int outFd) { return zembra::GzipDecode(inFd, outFd); }
