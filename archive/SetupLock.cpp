#include "archive/SetupLock.h"

#include "archive/Sha256.h"
#include "framework/AnsiText.h"

#include <cctype>

namespace zembra {
namespace {

constexpr char kPrefix[] = "Global\\Zembra-Setup-";
constexpr size_t kHashDigits = 32;

}  // namespace

bool SetupLockText(const std::string& identity, const std::string& productName, std::string* text,
                   std::string* error) {
    std::string folded = identity;
    if (!folded.empty()) AnsiMakeUpper(&folded[0]);
    Sha256 sha;
    sha.Update(folded.data(), folded.size());
    std::string hex = sha.FinalHex();
    if (hex.empty()) {
        *error = "the product's lock needs the platform's SHA-256, which failed: " + sha.Error();
        return false;
    }
    for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    *text = kPrefix + hex.substr(0, kHashDigits) + "\r\n" + productName;
    return true;
}

bool ParseSetupLock(const std::string& bytes, SetupLock* lock) {
    const size_t end = bytes.find("\r\n");
    if (bytes.size() > kMaxSetupLockSize || end != sizeof kPrefix - 1 + kHashDigits ||
        bytes.compare(0, sizeof kPrefix - 1, kPrefix) != 0)
        return false;
    for (size_t i = sizeof kPrefix - 1; i < end; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(bytes[i]))) return false;
    lock->mutexName = bytes.substr(0, end);
    lock->productName = bytes.substr(end + 2);
    return true;
}

}  // namespace zembra
