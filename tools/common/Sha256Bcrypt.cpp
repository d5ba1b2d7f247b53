// Sha256 on Windows: the system's BCrypt SHA-256 provider. bcrypt.dll is no KnownDLL, so a static
// import would be looked for in the program's folder first, where a downloaded Setup.exe may lie
// beside anybody's bcrypt.dll. It is loaded at the first use, by its full path in the system folder.
#include "tools/common/Sha256.h"

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

// A DLL loaded by full path, freed with its owner.
class LoadedModule {
public:
    LoadedModule() = default;
    ~LoadedModule() {
        if (m_module) FreeLibrary(m_module);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    // Its own imports are looked for in its folder first, also where the search could not be narrowed.
    bool Load(const std::string& path) {
        m_module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        return m_module != nullptr;
    }
    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module = nullptr;
};

std::string SystemFolderFile(const char* name) {
    char folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return std::string();
    return std::string(folder, length) + "\\" + name;
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
        m_path = SystemFolderFile("bcrypt.dll");
        if (m_path.empty()) {
            m_error = WithCode("GetSystemDirectory", GetLastError(), false);
            return;
        }
        if (!m_module.Load(m_path)) {
            m_error = WithCode("LoadLibrary " + m_path, GetLastError(), false);
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
        F function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module.Get(), name)));
        if (!function && m_error.empty()) m_error = WithCode(m_path + " lacks " + name, GetLastError(), false);
        return function;
    }

    std::string m_path;
    LoadedModule m_module;
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
