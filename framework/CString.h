// CString: the program's 8-bit string (ANSI code page), shared by the setup program and the library.
//
// String objects cross the library's interface (filled through pointers, passed by value and released
// by the callee), so both deliverables must agree on layout and allocator: one pointer wide, storage
// from the C runtime's malloc/free. An empty string holds no storage at all (a null pointer), so no
// module-local static is ever shared across the interface.
#pragma once

#include <cstdarg>
#include <cstddef>

class CString {
public:
    CString() noexcept;
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(const char* text);  // null gives an empty string
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    int GetLength() const noexcept { return m_pchData ? Header()->length : 0; }
    bool IsEmpty() const noexcept { return GetLength() == 0; }
    void Empty();

    char GetAt(int index) const { return c_str()[index]; }
    char operator[](int index) const { return c_str()[index]; }
    void SetAt(int index, char ch) { m_pchData[index] = ch; }
    operator const char*() const noexcept { return c_str(); }
    const char* c_str() const noexcept { return m_pchData ? m_pchData : ""; }

    CString& operator+=(const CString& text) { Append(text.m_pchData, text.GetLength()); return *this; }
    CString& operator+=(const char* text);
    CString& operator+=(char ch) { Append(&ch, 1); return *this; }
    void Append(const char* text, int length);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);

    int Compare(const char* text) const;        // byte-wise, like strcmp
    int CompareNoCase(const char* text) const;  // letters folded in the ANSI code page

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* part, int start = 0) const;
    int ReverseFind(char ch) const;

    void MakeUpper();
    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* format, va_list args);

    // Direct access to the buffer for calls that write a string in place. GetBuffer keeps the
    // content and makes room for at least minLength characters plus the terminator; ReleaseBuffer(-1)
    // takes the length anew up to the first zero byte.
    char* GetBuffer(int minLength);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    struct Data {
        int length;
        int capacity;  // characters that fit without the terminator
        char* text() { return reinterpret_cast<char*>(this + 1); }
    };
    Data* Header() const noexcept { return reinterpret_cast<Data*>(m_pchData) - 1; }  // m_pchData not null
    int Capacity() const noexcept { return m_pchData ? Header()->capacity : 0; }
    void Reserve(int capacity, bool keep);
    void Assign(const char* text, int length);
    void Release() noexcept;

    char* m_pchData;  // null when empty and without storage
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
