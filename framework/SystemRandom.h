// Bytes from the system's cryptographic random source (BCryptGenRandom, from bcrypt.dll loaded by its
// full path): names nobody can guess and therefore nobody can prepare beforehand.
#pragma once

namespace zembra {

// False with the system's error code.
bool SystemRandomBytes(void* buffer, unsigned long size, unsigned long* error);

}  // namespace zembra
