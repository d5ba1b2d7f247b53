// Sha256 on Windows: the system's BCrypt SHA-256 provider. bcrypt.dll is no KnownDLL, so a static
// import would be looked for in the program's folder first, where a downloaded Setup.exe may lie
// beside anybody's bcrypt.dll. It is loaded at the first use, by its full path in the system folder.
#include "archive/Sha256.h"

#include "framework/SystemLibrary.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstdio>

namespace zembra {
namespace {

std::string WithCode(const std::string& call, unsigned long code, bool status) {
    char text[32];
    std::snprintf(text, sizeof text, status ? ": 0x%08lX" : ": %lu", code);
    return call + text;
}

// bcrypt.dll and its SHA-256 algorithm handle, opened once for the process (in the extractor: in the
// seal check, after the DLL search has been narrowed).
class Sha256Provider {
public:
    static const Sha256Provider& Instance() {
        static const Sha256Provider provider;
        return provider;
    }
    ~Sha256Provider() {
        if (m_algorithm) m_close(m_algorithm, 0);
    }
    Sha256Provider(const Sha256Provider&) = delete;
    Sha256Provider& operator=(const Sha256Provider&) = delete;

    bool Ok() const { return m_algorithm != nullptr; }
    const std::string& Error() const { return m_error; }
    BCRYPT_ALG_HANDLE Algorithm() const { return m_algorithm; }

    decltype(&BCryptCreateHash) createHash = nullptr;
    decltype(&BCryptHashData) hashData = nullptr;
    decltype(&BCryptFinishHash) finishHash = nullptr;
    decltype(&BCryptDestroyHash) destroyHash = nullptr;

private:
    Sha256Provider() {
        if (!m_library.IsLoaded()) {
            m_error = m_library.Error();
            return;
        }
        auto open = Function<decltype(&BCryptOpenAlgorithmProvider)>("BCryptOpenAlgorithmProvider");
        m_close = Function<decltype(&BCryptCloseAlgorithmProvider)>("BCryptCloseAlgorithmProvider");
        createHash = Function<decltype(&BCryptCreateHash)>("BCryptCreateHash");
        hashData = Function<decltype(&BCryptHashData)>("BCryptHashData");
        finishHash = Function<decltype(&BCryptFinishHash)>("BCryptFinishHash");
        destroyHash = Function<decltype(&BCryptDestroyHash)>("BCryptDestroyHash");
        if (!open || !m_close || !createHash || !hashData || !finishHash || !destroyHash) return;
        BCRYPT_ALG_HANDLE algorithm = nullptr;
        const NTSTATUS status = open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
        if (!BCRYPT_SUCCESS(status)) m_error = WithCode("BCryptOpenAlgorithmProvider SHA256", status, true);
        else m_algorithm = algorithm;
    }

    template <class F>
    F Function(const char* name) {
        F function = m_library.Function<F>(name);
        if (!function && m_error.empty()) m_error = WithCode(m_library.Path() + " lacks " + name, GetLastError(), false);
        return function;
    }

    SystemLibrary m_library{"bcrypt.dll"};
    std::string m_error;
    decltype(&BCryptCloseAlgorithmProvider) m_close = nullptr;
    BCRYPT_ALG_HANDLE m_algorithm = nullptr;
};

}  // namespace

// One hash object; a finished one cannot take more data on Windows 7, so Reset makes a new one.
struct Sha256::Context {
    ~Context() { Destroy(); }
    void Destroy() {
        if (hash) Sha256Provider::Instance().destroyHash(hash);
        hash = nullptr;
    }
    BCRYPT_HASH_HANDLE hash = nullptr;
};

Sha256::Sha256() : m_context(new Context) { Reset(); }

Sha256::~Sha256() = default;

bool Sha256::Available(std::string* error) {
    const Sha256Provider& provider = Sha256Provider::Instance();
    if (provider.Ok()) return true;
    *error = provider.Error();
    return false;
}

void Sha256::Reset() {
    m_failed = false;
    m_context->Destroy();
    std::string error;
    if (!Available(&error)) return Fail(error);
    const Sha256Provider& provider = Sha256Provider::Instance();
    const NTSTATUS status = provider.createHash(provider.Algorithm(), &m_context->hash, nullptr, 0, nullptr, 0, 0);
    if (!BCRYPT_SUCCESS(status)) {
        m_context->hash = nullptr;
        Fail(WithCode("BCryptCreateHash", status, true));
    }
}

void Sha256::Update(const void* data, size_t size) {
    constexpr size_t kMaxPiece = 1u << 30;  // the call takes a 32-bit length
    const Sha256Provider& provider = Sha256Provider::Instance();
    auto* p = static_cast<UCHAR*>(const_cast<void*>(data));  // BCrypt only reads it
    while (!m_failed && size > 0) {
        const ULONG piece = static_cast<ULONG>(size < kMaxPiece ? size : kMaxPiece);
        const NTSTATUS status = provider.hashData(m_context->hash, p, piece, 0);
        if (!BCRYPT_SUCCESS(status)) Fail(WithCode("BCryptHashData", status, true));
        p += piece;
        size -= piece;
    }
}

bool Sha256::Final(uint8_t (&digest)[kDigestSize]) {
    if (!m_failed) {
        const NTSTATUS status = Sha256Provider::Instance().finishHash(m_context->hash, digest, kDigestSize, 0);
        if (!BCRYPT_SUCCESS(status)) Fail(WithCode("BCryptFinishHash", status, true));
    }
    const bool ok = !m_failed;
    Reset();
    return ok;
}

}  // namespace zembra
