#include "archive/UnpackJob.h"

#include "archive/CrtIo.h"
#include "archive/DecoderState.h"
#include "archive/GzipDecoder.h"

#include <cstring>

namespace {
std::FILE* EmptyCaptureFile() {
    static std::FILE* capture = nullptr;
    if (capture) {
        std::fflush(capture);
        std::rewind(capture);
        if (zembra::CrtTruncate(fileno(capture))) return capture;
        std::fclose(capture);  // one that cannot be emptied would hand earlier words to a failure
    }
    capture = OpenCaptureFile();
    return capture;
}
}  // namespace

CUnpackJob::CUnpackJob(const char* packagePath) : m_pCapture(nullptr), m_szPackage(), m_pszLabel("") {
    zembra::GzipResetBytesWritten();
    m_pCapture = EmptyCaptureFile();
    if (m_pCapture) zembra::SetDecoderMessageFile(fileno(m_pCapture));
    if (packagePath) std::strncpy(m_szPackage, packagePath, sizeof m_szPackage - 1);
}

CUnpackJob::~CUnpackJob() { zembra::SetDecoderMessageFile(-1); }

CGzipUnpackJob::CGzipUnpackJob(const char* packagePath) : CUnpackJob(packagePath) { m_pszLabel = "Entpacken"; }

int CGzipUnpackJob::Run(int inFd, int outFd) { return zembra::GzipDecode(inFd, outFd); }
