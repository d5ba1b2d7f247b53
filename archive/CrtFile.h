// A C runtime file descriptor, closed when its owner goes or takes another.
#pragma once

#include "archive/CrtIo.h"

namespace zembra {

class CrtFile {
public:
    explicit CrtFile(int fd = -1) : m_fd(fd) {}
    ~CrtFile() { Close(); }
    CrtFile(CrtFile&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    CrtFile& operator=(CrtFile&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    CrtFile(const CrtFile&) = delete;
    CrtFile& operator=(const CrtFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void Reset(int fd) {
        Close();
        m_fd = fd;
    }
    // 0, or -1 when the runtime could not write what it still held.
    int Close() {
        const int result = m_fd >= 0 ? CrtClose(m_fd) : 0;
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

}  // namespace zembra
