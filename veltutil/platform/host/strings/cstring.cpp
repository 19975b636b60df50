#include "veltutil/platform/host/strings/cstring.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

bool isSpaceC(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char lowerC(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upperC(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view safeView(const char* text) { return text ? std::string_view(text) : std::string_view(); }

// Clamps a caller's position into [0, size].
std::size_t clampPos(int pos, std::size_t size) {
    if (pos <= 0) return 0;
    return std::min(static_cast<std::size_t>(pos), size);
}

int toInt(std::size_t pos) { return pos == std::string::npos ? -1 : static_cast<int>(pos); }

void appendFormatted(std::string& out, const char* format, va_list args) {
    if (!format) return;
    va_list copy;
    va_copy(copy, args);
    char stackBuffer[256];
    int needed = std::vsnprintf(stackBuffer, sizeof stackBuffer, format, copy);
    va_end(copy);
    if (needed < 0) return;
    if (static_cast<std::size_t>(needed) < sizeof stackBuffer) {
        out.append(stackBuffer, static_cast<std::size_t>(needed));
        return;
    }
    std::size_t oldSize = out.size();
    out.resize(oldSize + static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(out.data() + oldSize, static_cast<std::size_t>(needed) + 1, format, args);
    out.resize(oldSize + static_cast<std::size_t>(needed));
}

template <typename Pred>
void trimLeftIf(std::string& s, Pred pred) {
    std::size_t i = 0;
    while (i < s.size() && pred(s[i])) ++i;
    s.erase(0, i);
}

template <typename Pred>
void trimRightIf(std::string& s, Pred pred) {
    std::size_t n = s.size();
    while (n > 0 && pred(s[n - 1])) --n;
    s.resize(n);
}

auto inSet(const char* set) {
    std::string_view chars = safeView(set);
    return [chars](char c) { return chars.find(c) != std::string_view::npos; };
}

}  // namespace

CString::CString(const char* text) : data_(safeView(text)) {}

CString::CString(const char* text, int length) {
    if (text && length > 0) data_.assign(text, static_cast<std::size_t>(length));
}

CString::CString(char ch, int repeat) {
    if (repeat > 0) data_.assign(static_cast<std::size_t>(repeat), ch);
}

CString& CString::operator=(const char* text) {
    data_.assign(safeView(text));
    return *this;
}

CString& CString::operator=(char ch) {
    data_.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const char* text) {
    data_ += safeView(text);
    return *this;
}

void CString::Append(const char* text, int length) {
    if (text && length > 0) data_.append(text, static_cast<std::size_t>(length));
}

int CString::Compare(const char* text) const {
    int c = std::string_view(data_).compare(safeView(text));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* text) const {
    std::string_view other = safeView(text);
    std::size_t n = std::min(data_.size(), other.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto a = static_cast<unsigned char>(lowerC(data_[i]));
        auto b = static_cast<unsigned char>(lowerC(other[i]));
        if (a != b) return a < b ? -1 : 1;
    }
    if (data_.size() == other.size()) return 0;
    return data_.size() < other.size() ? -1 : 1;
}

int CString::Find(char ch, int start) const {
    if (start < 0) start = 0;
    return toInt(data_.find(ch, static_cast<std::size_t>(start)));
}

int CString::Find(const char* sub, int start) const {
    if (start < 0) start = 0;
    if (static_cast<std::size_t>(start) > data_.size()) return -1;
    return toInt(data_.find(safeView(sub), static_cast<std::size_t>(start)));
}

int CString::ReverseFind(char ch) const { return toInt(data_.rfind(ch)); }

int CString::FindOneOf(const char* set) const { return toInt(data_.find_first_of(safeView(set))); }

CString CString::Left(int count) const { return CString(data_.substr(0, clampPos(count, data_.size()))); }

CString CString::Mid(int first) const { return CString(data_.substr(clampPos(first, data_.size()))); }

CString CString::Mid(int first, int count) const {
    std::size_t from = clampPos(first, data_.size());
    return CString(data_.substr(from, clampPos(count, data_.size() - from)));
}

CString CString::Right(int count) const {
    std::size_t n = clampPos(count, data_.size());
    return CString(data_.substr(data_.size() - n));
}

CString CString::SpanIncluding(const char* set) const {
    std::size_t end = data_.find_first_not_of(safeView(set));
    return CString(data_.substr(0, end));
}

CString CString::SpanExcluding(const char* set) const {
    std::size_t end = data_.find_first_of(safeView(set));
    return CString(data_.substr(0, end));
}

CString CString::Tokenize(const char* delimiters, int& start) const {
    std::string_view delims = safeView(delimiters);
    if (start < 0 || static_cast<std::size_t>(start) >= data_.size()) {
        start = -1;
        return CString();
    }
    std::size_t from = data_.find_first_not_of(delims, static_cast<std::size_t>(start));
    if (from == std::string::npos) {
        start = -1;
        return CString();
    }
    std::size_t to = data_.find_first_of(delims, from);
    if (to == std::string::npos) to = data_.size();
    start = static_cast<int>(std::min(to + 1, data_.size()));
    return CString(data_.substr(from, to - from));
}

CString& CString::MakeUpper() {
    std::transform(data_.begin(), data_.end(), data_.begin(), upperC);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(data_.begin(), data_.end(), data_.begin(), lowerC);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(data_.begin(), data_.end());
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::TrimLeft() { trimLeftIf(data_, isSpaceC); return *this; }
CString& CString::TrimRight() { trimRightIf(data_, isSpaceC); return *this; }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::TrimLeft(char ch) { trimLeftIf(data_, [ch](char c) { return c == ch; }); return *this; }
CString& CString::TrimRight(char ch) { trimRightIf(data_, [ch](char c) { return c == ch; }); return *this; }
CString& CString::Trim(const char* set) { return TrimRight(set).TrimLeft(set); }
CString& CString::TrimLeft(const char* set) { trimLeftIf(data_, inSet(set)); return *this; }
CString& CString::TrimRight(const char* set) { trimRightIf(data_, inSet(set)); return *this; }

int CString::Replace(char from, char to) {
    int count = 0;
    for (char& c : data_) {
        if (c == from) {
            c = to;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* from, const char* to) {
    std::string_view pattern = safeView(from);
    if (pattern.empty()) return 0;
    std::string_view replacement = safeView(to);
    std::string result;
    int count = 0;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = data_.find(pattern, pos)) != std::string::npos; pos = hit + pattern.size()) {
        result.append(data_, pos, hit - pos);
        result += replacement;
        ++count;
    }
    if (count == 0) return 0;
    result.append(data_, pos);
    data_ = std::move(result);
    return count;
}

int CString::Remove(char ch) {
    auto newEnd = std::remove(data_.begin(), data_.end(), ch);
    int count = static_cast<int>(data_.end() - newEnd);
    data_.erase(newEnd, data_.end());
    return count;
}

int CString::Insert(int index, char ch) {
    data_.insert(clampPos(index, data_.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text) {
    data_.insert(clampPos(index, data_.size()), safeView(text));
    return GetLength();
}

int CString::Delete(int index, int count) {
    std::size_t from = clampPos(index, data_.size());
    data_.erase(from, clampPos(count, data_.size() - from));
    return GetLength();
}

void CString::Format(const char* format, ...) {
    std::string out;
    va_list args;
    va_start(args, format);
    appendFormatted(out, format, args);
    va_end(args);
    data_ = std::move(out);
}

void CString::AppendFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    appendFormatted(data_, format, args);
    va_end(args);
}

char* CString::GetBuffer(int minLength) {
    if (minLength > 0 && static_cast<std::size_t>(minLength) > data_.size()) {
        data_.resize(static_cast<std::size_t>(minLength));
    }
    return data_.data();
}

char* CString::GetBufferSetLength(int length) {
    data_.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return data_.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        data_.resize(std::strlen(data_.c_str()));
    } else {
        data_.resize(static_cast<std::size_t>(newLength));
    }
}

CString operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }
