// Small owners of the system's handles: each closes what it holds when it goes or receives another, so
// that no path of a function can forget a close. A C runtime descriptor has its own owner
// (archive/CrtFile.h).
#pragma once

#include <windows.h>

template <class Traits>
class HandleOwner {
public:
    using Handle = typename Traits::Handle;

    HandleOwner() = default;
    explicit HandleOwner(Handle handle) : m_handle(handle) {}
    ~HandleOwner() { Reset(); }
    HandleOwner(HandleOwner&& other) noexcept : m_handle(other.Release()) {}
    HandleOwner& operator=(HandleOwner&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    HandleOwner(const HandleOwner&) = delete;
    HandleOwner& operator=(const HandleOwner&) = delete;

    bool IsValid() const { return Traits::IsValid(m_handle); }
    Handle Get() const { return m_handle; }
    // For a call that hands out the handle through a pointer; what was held before is closed first.
    Handle* Receive() {
        Reset();
        return &m_handle;
    }
    Handle Release() {
        const Handle handle = m_handle;
        m_handle = Traits::None();
        return handle;
    }
    void Reset(Handle handle = Traits::None()) {
        if (Traits::IsValid(m_handle)) Traits::Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = Traits::None();
};

// Files, processes, tokens: CreateFile reports failure as INVALID_HANDLE_VALUE, the others as null.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle key) { return key != nullptr; }
    static void Close(Handle key) { ::RegCloseKey(key); }
};

// A SID from AllocateAndInitializeSid.
struct SidTraits {
    using Handle = PSID;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle sid) { return sid != nullptr; }
    static void Close(Handle sid) { ::FreeSid(sid); }
};

// Memory the security and message functions hand out with LocalAlloc.
template <class T>
struct LocalMemoryTraits {
    using Handle = T;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle memory) { return memory != nullptr; }
    static void Close(Handle memory) { ::LocalFree(memory); }
};

using Win32Handle = HandleOwner<KernelHandleTraits>;
using RegistryKey = HandleOwner<RegistryKeyTraits>;
using OwnedSid = HandleOwner<SidTraits>;
template <class T>
using LocalMemory = HandleOwner<LocalMemoryTraits<T>>;
