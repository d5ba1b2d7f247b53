#include "framework/SystemRandom.h"

#include "framework/SystemLibrary.h"

namespace zembra {

bool SystemRandomBytes(void* buffer, unsigned long size, unsigned long* error) {
    constexpr ULONG kSystemPreferredRng = 0x00000002;  // BCRYPT_USE_SYSTEM_PREFERRED_RNG
    const SystemLibrary bcrypt("bcrypt.dll");
    using GenRandom = LONG(WINAPI*)(void*, PUCHAR, ULONG, ULONG);
    const auto generate = bcrypt.Function<GenRandom>("BCryptGenRandom");
    if (!generate) {
        *error = bcrypt.Code() ? bcrypt.Code() : ERROR_PROC_NOT_FOUND;
        return false;
    }
    if (generate(nullptr, static_cast<PUCHAR>(buffer), size, kSystemPreferredRng) < 0) {
        *error = ERROR_GEN_FAILURE;
        return false;
    }
    return true;
}

}  // namespace zembra
