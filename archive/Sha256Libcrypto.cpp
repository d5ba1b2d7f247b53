// Sha256 on Linux: libcrypto's EVP interface.
#include "archive/Sha256.h"

#include <openssl/err.h>
#include <openssl/evp.h>

namespace zembra {
namespace {

std::string OpenSslError(const char* call) {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0) return std::string(call) + " failed";
    char text[256] = {};
    ERR_error_string_n(code, text, sizeof text);
    return std::string(call) + ": " + text;
}

// The algorithm, fetched once for the process rather than looked up again by every digest.
class Sha256Algorithm {
public:
    static const Sha256Algorithm& Instance() {
        static const Sha256Algorithm algorithm;
        return algorithm;
    }
    const EVP_MD* Md() const { return m_md.get(); }
    const std::string& Error() const { return m_error; }

private:
    Sha256Algorithm() : m_md(EVP_MD_fetch(nullptr, "SHA256", nullptr), EVP_MD_free) {
        if (!m_md) m_error = OpenSslError("EVP_MD_fetch SHA256");
    }

    std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> m_md;
    std::string m_error;
};

}  // namespace

struct Sha256::Context {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> md{EVP_MD_CTX_new(), EVP_MD_CTX_free};
};

Sha256::Sha256() : m_context(new Context) { Reset(); }

Sha256::~Sha256() = default;

bool Sha256::Available(std::string* error) {
    const Sha256Algorithm& algorithm = Sha256Algorithm::Instance();
    if (algorithm.Md()) return true;
    *error = algorithm.Error();
    return false;
}

void Sha256::Reset() {
    m_failed = false;
    std::string error;
    if (!Available(&error)) Fail(error);
    else if (!m_context->md) Fail("EVP_MD_CTX_new failed");
    else if (!EVP_DigestInit_ex(m_context->md.get(), Sha256Algorithm::Instance().Md(), nullptr))
        Fail(OpenSslError("EVP_DigestInit_ex"));
}

void Sha256::Update(const void* data, size_t size) {
    if (m_failed || size == 0) return;
    if (!EVP_DigestUpdate(m_context->md.get(), data, size)) Fail(OpenSslError("EVP_DigestUpdate"));
}

bool Sha256::Final(uint8_t (&digest)[kDigestSize]) {
    unsigned int length = 0;
    if (!m_failed && !EVP_DigestFinal_ex(m_context->md.get(), digest, &length))
        Fail(OpenSslError("EVP_DigestFinal_ex"));
    else if (!m_failed && length != kDigestSize)
        Fail("EVP_DigestFinal_ex gave " + std::to_string(length) + " bytes");
    const bool ok = !m_failed;
    Reset();
    return ok;
}

}  // namespace zembra
