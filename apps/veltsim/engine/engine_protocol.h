#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the simulator and its engine process say to each other over their socket.
//
// Every message is a header (its kind and the size of its payload, each 32 bits in the
// machine's own order: both ends are built together) followed by the payload. The simulator
// sends requests, each answered by exactly one kReply in the order sent; the engine sends the
// rest as ngspice produces it, in ngspice's order, and a reply always follows whatever ngspice
// said while carrying out its request.
namespace veltsim::engine {

enum class Kind : std::uint32_t {
    // Requests.
    kInit = 1,    // -> status (0: ready), error text
    kCircuit,     // lines separated by '\n' -> ngspice's result code
    kCommand,     // a command -> ngspice's result code
    kBackground,  // a command for ngspice's background thread -> ngspice's result code
    kHalt,        // stops the background thread and waits for it -> 0
    kVector,      // plot (empty: the current one), vector name -> found, complex, values
    // From the engine.
    kReply = 100,
    kText,  // one line of ngspice's output
    kPlot,  // name, type, title, complex, count, the vectors' names
    kRows,  // width, then rows of `width` values each (real and imaginary part of every vector)
    kEnd,   // ngspice's background thread has ended
    kExit,  // ngspice asked to exit, with this status; the engine ends after its reply
};

struct Header {
    Kind kind;
    std::uint32_t size;
};

// A payload as it is built: numbers in 8 bytes, texts with their length in front.
struct PayloadWriter {
    std::string bytes;

    PayloadWriter& Int(std::int64_t value);
    PayloadWriter& Double(double value);
    PayloadWriter& Text(std::string_view text);
    PayloadWriter& Doubles(const double* values, std::size_t count);
};

// Reads a payload in the order it was written. A read past its end gives zero or an empty
// text and marks the reader failed, so that a damaged message is noticed once, at the end.
class PayloadReader {
public:
    explicit PayloadReader(std::string_view bytes) : rest_(bytes) {}

    std::int64_t Int();
    double Double();
    std::string Text();
    // The values left, as many as there are whole ones.
    std::vector<double> Doubles();
    // The bytes left, unread.
    std::string_view Rest() const { return rest_; }
    bool Failed() const { return failed_; }

private:
    bool take(void* out, std::size_t size);

    std::string_view rest_;
    bool failed_ = false;
};

// Writes all of `size` bytes to the socket `fd`, going on after interruptions; false when the
// other end is gone. Never raises SIGPIPE.
bool WriteAll(int fd, const void* data, std::size_t size);

// Appends one message to `out`.
void AppendMessage(std::string& out, Kind kind, std::string_view payload);

// Reads messages from the socket `fd` through a buffer of its own.
class MessageReader {
public:
    explicit MessageReader(int fd) : fd_(fd) {}

    // The next message; false at the end of the stream or on an error.
    bool Next(Kind& kind, std::string& payload);

private:
    bool fill(std::size_t wanted);

    int fd_;
    std::string buffer_;
    std::size_t start_ = 0;
};

}  // namespace veltsim::engine
