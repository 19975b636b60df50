#include "engine_protocol.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace veltsim::engine {

namespace {

constexpr std::size_t kReadChunk = 1 << 16;

}  // namespace

PayloadWriter& PayloadWriter::Int(std::int64_t value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    return *this;
}

PayloadWriter& PayloadWriter::Double(double value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    return *this;
}

PayloadWriter& PayloadWriter::Text(std::string_view text) {
    Int(static_cast<std::int64_t>(text.size()));
    bytes.append(text);
    return *this;
}

PayloadWriter& PayloadWriter::Doubles(const double* values, std::size_t count) {
    bytes.append(reinterpret_cast<const char*>(values), count * sizeof(double));
    return *this;
}

bool PayloadReader::take(void* out, std::size_t size) {
    if (rest_.size() < size) {
        failed_ = true;
        rest_ = {};
        return false;
    }
    std::memcpy(out, rest_.data(), size);
    rest_.remove_prefix(size);
    return true;
}

std::int64_t PayloadReader::Int() {
    std::int64_t value = 0;
    return take(&value, sizeof value) ? value : 0;
}

double PayloadReader::Double() {
    double value = 0.0;
    return take(&value, sizeof value) ? value : 0.0;
}

std::string PayloadReader::Text() {
    const std::int64_t size = Int();
    if (size < 0 || static_cast<std::uint64_t>(size) > rest_.size()) {
        failed_ = true;
        rest_ = {};
        return {};
    }
    std::string text(rest_.substr(0, static_cast<std::size_t>(size)));
    rest_.remove_prefix(static_cast<std::size_t>(size));
    return text;
}

std::vector<double> PayloadReader::Doubles() {
    std::vector<double> values(rest_.size() / sizeof(double));
    if (!values.empty()) std::memcpy(values.data(), rest_.data(), values.size() * sizeof(double));
    rest_ = {};
    return values;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::send(fd, next, size, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void AppendMessage(std::string& out, Kind kind, std::string_view payload) {
    const Header header{kind, static_cast<std::uint32_t>(payload.size())};
    out.append(reinterpret_cast<const char*>(&header), sizeof header);
    out.append(payload);
}

bool MessageReader::fill(std::size_t wanted) {
    while (buffer_.size() - start_ < wanted) {
        if (start_ > 0) {
            buffer_.erase(0, start_);
            start_ = 0;
        }
        const std::size_t had = buffer_.size();
        buffer_.resize(had + std::max(kReadChunk, wanted - had));
        const ssize_t got = ::recv(fd_, buffer_.data() + had, buffer_.size() - had, 0);
        buffer_.resize(had + (got > 0 ? static_cast<std::size_t>(got) : 0));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
    }
    return true;
}

bool MessageReader::Next(Kind& kind, std::string& payload) {
    Header header{};
    if (!fill(sizeof header)) return false;
    std::memcpy(&header, buffer_.data() + start_, sizeof header);
    if (!fill(sizeof header + header.size)) return false;
    kind = header.kind;
    payload.assign(buffer_, start_ + sizeof header, header.size);
    start_ += sizeof header + header.size;
    return true;
}

}  // namespace veltsim::engine
