#include "framework/CString.h"

#include "framework/AnsiText.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

int LengthOf(const char* text) {
    if (!text) return 0;
    size_t n = std::strlen(text);
    return n > INT_MAX / 2 ? INT_MAX / 2 : static_cast<int>(n);
}

}  // namespace

CString::CString() noexcept : m_pchData(nullptr) {}

CString::CString(const CString& other) : m_pchData(nullptr) {
    Assign(other.m_pchData, other.GetLength());
}

CString::CString(CString&& other) noexcept : m_pchData(other.m_pchData) {
    other.m_pchData = nullptr;
}

CString::CString(const char* text) : m_pchData(nullptr) { Assign(text, LengthOf(text)); }

CString::CString(const char* text, int length) : m_pchData(nullptr) {
    Assign(text, text && length > 0 ? length : 0);
}

CString::CString(char ch, int repeat) : m_pchData(nullptr) {
    if (repeat <= 0) return;
    Reserve(repeat, false);
    std::memset(m_pchData, ch, static_cast<size_t>(repeat));
    m_pchData[repeat] = '\0';
    Header()->length = repeat;
}

CString::~CString() { Release(); }

CString& CString::operator=(const CString& other) {
    if (this != &other) Assign(other.m_pchData, other.GetLength());
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        Release();
        m_pchData = other.m_pchData;
        other.m_pchData = nullptr;
    }
    return *this;
}

CString& CString::operator=(const char* text) {
    Assign(text, LengthOf(text));
    return *this;
}

CString& CString::operator=(char ch) {
    Assign(&ch, 1);
    return *this;
}

void CString::Empty() {
    Release();
    m_pchData = nullptr;
}

void CString::Release() noexcept {
    if (m_pchData) std::free(Header());
}

void CString::Reserve(int capacity, bool keep) {
    int oldCapacity = Capacity();
    if (capacity <= oldCapacity) return;
    // Grow geometrically so that appending in a loop stays linear.
    int grown = oldCapacity + oldCapacity / 2;
    if (grown > capacity && grown < INT_MAX / 2) capacity = grown;
    void* block = std::malloc(sizeof(Data) + static_cast<size_t>(capacity) + 1);
    if (!block) throw std::bad_alloc();
    Data* data = static_cast<Data*>(block);
    data->capacity = capacity;
    data->length = keep ? GetLength() : 0;
    if (keep && m_pchData) std::memcpy(data->text(), m_pchData, static_cast<size_t>(data->length) + 1);
    else data->text()[0] = '\0';
    Release();
    m_pchData = data->text();
}

void CString::Assign(const char* text, int length) {
    if (length <= 0) {
        Empty();
        return;
    }
    if (m_pchData && text >= m_pchData && text <= m_pchData + GetLength()) {
        // Assigning a part of ourselves: copy out first.
        CString copy(text, length);
        *this = static_cast<CString&&>(copy);
        return;
    }
    if (length > Capacity()) Reserve(length, false);
    std::memcpy(m_pchData, text, static_cast<size_t>(length));
    m_pchData[length] = '\0';
    Header()->length = length;
}

void CString::Append(const char* text, int length) {
    if (!text || length <= 0) return;
    int oldLength = GetLength();
    if (oldLength + length > Capacity()) {
        if (m_pchData && text >= m_pchData && text <= m_pchData + oldLength) {
            CString copy(text, length);
            Append(copy.m_pchData, length);
            return;
        }
        Reserve(oldLength + length, true);
    }
    std::memmove(m_pchData + oldLength, text, static_cast<size_t>(length));
    m_pchData[oldLength + length] = '\0';
    Header()->length = oldLength + length;
}

CString& CString::operator+=(const char* text) {
    Append(text, LengthOf(text));
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b) {
    CString result(a);
    result += b;
    return result;
}

int CString::Compare(const char* text) const { return std::strcmp(c_str(), text ? text : ""); }

int CString::CompareNoCase(const char* text) const { return AnsiCompareNoCase(c_str(), text ? text : ""); }

CString CString::Left(int count) const {
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return CString(m_pchData, count);
}

CString CString::Mid(int first) const { return Mid(first, GetLength() - (first < 0 ? 0 : first)); }

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (first >= GetLength() || count <= 0) return CString();
    if (count > GetLength() - first) count = GetLength() - first;
    return CString(m_pchData + first, count);
}

CString CString::Right(int count) const {
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return CString(m_pchData + GetLength() - count, count);
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    const void* hit = std::memchr(m_pchData + start, static_cast<unsigned char>(ch),
                                  static_cast<size_t>(GetLength() - start));
    return hit ? static_cast<int>(static_cast<const char*>(hit) - m_pchData) : -1;
}

int CString::Find(const char* part, int start) const {
    if (!part || start < 0 || start > GetLength()) return -1;
    const char* hit = std::strstr(c_str() + start, part);
    return hit ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::ReverseFind(char ch) const {
    if (!m_pchData) return -1;
    const char* hit = std::strrchr(m_pchData, ch);
    return hit && ch != '\0' ? static_cast<int>(hit - m_pchData) : -1;
}

void CString::MakeUpper() {
    if (IsEmpty()) return;
    AnsiMakeUpper(m_pchData);
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed <= 0) {
        Empty();
        return;
    }
    CString result;
    result.Reserve(needed, false);
    std::vsnprintf(result.m_pchData, static_cast<size_t>(needed) + 1, format, args);
    result.Header()->length = needed;
    *this = static_cast<CString&&>(result);
}

char* CString::GetBuffer(int minLength) {
    if (minLength < 1) minLength = 1;
    if (minLength > Capacity()) Reserve(minLength, true);
    return m_pchData;
}

char* CString::GetBufferSetLength(int length) {
    GetBuffer(length);
    m_pchData[length] = '\0';
    Header()->length = length;
    return m_pchData;
}

void CString::ReleaseBuffer(int newLength) {
    if (!m_pchData) return;
    if (newLength < 0) newLength = static_cast<int>(strnlen(m_pchData, static_cast<size_t>(Header()->capacity)));
    if (newLength > Header()->capacity) newLength = Header()->capacity;
    m_pchData[newLength] = '\0';
    Header()->length = newLength;
}

bool operator==(const CString& a, const CString& b) {
    return a.GetLength() == b.GetLength() && a.Compare(b) == 0;
}
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(b == a); }
