#include "archive/UnpackJob.h"

#include "archive/DecoderState.h"
#include "archive/GzipDecoder.h"

#include <cstring>

CUnpackJob::CUnpackJob(const char* packagePath) : m_pCapture(nullptr), m_szPackage(), m_pszLabel("") {
    zembra::GzipResetBytesWritten();
    zembra::SetDecoderMessageSink(&CUnpackJob::Collect, this);
    if (packagePath) std::strncpy(m_szPackage, packagePath, sizeof m_szPackage - 1);
}

CUnpackJob::~CUnpackJob() {
    zembra::SetDecoderMessageSink(nullptr, nullptr);
    if (m_pCapture) std::fclose(m_pCapture);
}

void CUnpackJob::Collect(const char* text, void* job) {
    CUnpackJob* self = static_cast<CUnpackJob*>(job);
    if (!self->m_pCapture) self->m_pCapture = OpenCaptureFile();
    if (self->m_pCapture) std::fputs(text, self->m_pCapture);
}

CGzipUnpackJob::CGzipUnpackJob(const char* packagePath) : CUnpackJob(packagePath) { m_pszLabel = "Entpacken"; }

int CGzipUnpackJob::Run(int inFd, int outFd) { return zembra::GzipDecode(inFd, outFd); }
