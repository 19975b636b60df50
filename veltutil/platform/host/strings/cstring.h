#pragma once

#include <concepts>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "veltutil/platform/host/host_export.h"

// The framework's 8-bit string. Indices and lengths are int as the exported interface uses
// them; a negative or past-the-end position is clamped rather than trusted, because callers
// pass positions computed from Find results (-1 when nothing was found).
class VELTHOST_API CString {
public:
    CString() = default;
    CString(const char* text);  // null gives the empty string
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    CString(std::string_view text) : data_(text) {}
    CString(const std::string& text) : data_(text) {}
    CString(std::string&& text) noexcept : data_(std::move(text)) {}

    CString& operator=(const char* text);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(data_.size()); }
    bool IsEmpty() const { return data_.empty(); }
    void Empty() { data_.clear(); }
    char GetAt(int index) const { return data_[static_cast<std::size_t>(index)]; }
    void SetAt(int index, char ch) { data_[static_cast<std::size_t>(index)] = ch; }
    template <std::integral I>
    char operator[](I index) const { return data_[static_cast<std::size_t>(index)]; }

    operator const char*() const { return data_.c_str(); }
    const char* GetString() const { return data_.c_str(); }
    // Direct access for code that builds or scans large texts without repeated copies.
    const std::string& str() const { return data_; }
    std::string& str() { return data_; }
    std::string_view view() const { return data_; }

    CString& operator+=(const CString& text) { data_ += text.data_; return *this; }
    CString& operator+=(const char* text);
    CString& operator+=(char ch) { data_ += ch; return *this; }
    CString& operator+=(std::string_view text) { data_ += text; return *this; }
    void Append(const char* text, int length);

    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;
    // Next token delimited by any of `delimiters`, starting at `start`; `start` becomes -1 at the end.
    CString Tokenize(const char* delimiters, int& start) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // White space is what isspace accepts in the C locale.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(char ch);
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);
    CString& Trim(const char* set);
    CString& TrimLeft(const char* set);
    CString& TrimRight(const char* set);

    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Writable buffer of at least `minLength` characters; ReleaseBuffer(-1) takes the length
    // from the terminating zero.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    friend bool operator==(const CString& a, const CString& b) { return a.data_ == b.data_; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.data_ < b.data_; }
    friend bool operator>(const CString& a, const CString& b) { return a.data_ > b.data_; }
    friend bool operator<=(const CString& a, const CString& b) { return a.data_ <= b.data_; }
    friend bool operator>=(const CString& a, const CString& b) { return a.data_ >= b.data_; }

private:
    std::string data_;
};

VELTHOST_API CString operator+(const CString& a, const CString& b);
VELTHOST_API CString operator+(const CString& a, const char* b);
VELTHOST_API CString operator+(const char* a, const CString& b);
VELTHOST_API CString operator+(const CString& a, char b);
VELTHOST_API CString operator+(char a, const CString& b);

template <>
struct std::hash<CString> {
    std::size_t operator()(const CString& s) const noexcept { return std::hash<std::string>{}(s.str()); }
};
