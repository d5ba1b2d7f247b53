// SHA-256 (FIPS 180-4) from the platform, which knows the processor's SHA instructions: libcrypto on
// Linux, the system's BCrypt provider on Windows. Incremental: feed bytes in any pieces, then take the
// 32-byte digest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zembra {

class Sha256 {
public:
    static constexpr size_t kDigestSize = 32;

    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    // Whether the platform's SHA-256 can be had in this process; when not, *error names the call that
    // failed and its code. Loads it on the first call (on Windows: bcrypt.dll from the system folder).
    static bool Available(std::string* error);

    void Reset();
    void Update(const void* data, size_t size);
    // The digest of everything fed since the last Reset; the object is reset afterwards. False when the
    // platform failed at any step since: then Error() says why, and no digest is given.
    bool Final(uint8_t (&digest)[kDigestSize]);
    // The digest as 64 lower-case hex digits, or empty after a failure; resets like Final.
    std::string FinalHex();
    // The most recent failure: the call and its code.
    const std::string& Error() const { return m_error; }

private:
    struct Context;  // the platform's hash state
    void Fail(std::string error);

    std::unique_ptr<Context> m_context;
    bool m_failed = false;  // since the last Reset
    std::string m_error;
};

// The hex digest of data, or empty when the platform's SHA-256 failed.
std::string Sha256Hex(const void* data, size_t size);

}  // namespace zembra
