// The installer's entry "LOCK" (stored, code page 1252): the name of the mutex that a running
// installation of the product holds, on its first line, and the product's name on the second. The
// extractor reads it before it unpacks anything, so that a second start of the same product ends at
// once. The name is a hash, so any product name makes a valid one, and one product never meets another.
//
//   Global\Zembra-Setup-3F2A...(32 hex digits)
//   Zembra Demo
#pragma once

#include <string>

namespace zembra {

constexpr char kSetupLockKey[] = "LOCK";
constexpr size_t kMaxSetupLockSize = 1024;

struct SetupLock {
    std::string mutexName;
    std::string productName;
};

// The entry for a product known by identity (its AppId, else its name; letter case does not count).
// False when the platform's SHA-256 fails; *error names the call.
bool SetupLockText(const std::string& identity, const std::string& productName, std::string* text,
                   std::string* error);

// False for bytes that are no such entry.
bool ParseSetupLock(const std::string& bytes, SetupLock* lock);

}  // namespace zembra
