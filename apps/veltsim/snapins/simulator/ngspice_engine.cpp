#include "ngspice_engine.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "text_util.h"

extern char** environ;

namespace veltsim {

namespace {

using engine::Kind;
using engine::PayloadReader;
using engine::PayloadWriter;

constexpr const char* kErrorPrefix = "stderr ";
constexpr const char* kEngineVariable = "VELTSIM_ENGINE";
constexpr const char* kEngineName = "veltsim-engine";
// The descriptor the engine finds its end of the socket at.
constexpr int kEngineSocket = 3;
// How long a closed engine has to leave before it is killed.
constexpr std::chrono::seconds kLeaveLimit{1};

std::string enginePath() {
    const char* configured = std::getenv(kEngineVariable);
    if (configured && *configured) return configured;
    std::error_code failure;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
    return (self.parent_path() / kEngineName).string();
}

std::string signalName(int number) {
    const char* abbreviation = sigabbrev_np(number);
    return abbreviation ? std::string("SIG") + abbreviation : "signal " + std::to_string(number);
}

}  // namespace

bool IsNgspiceError(const std::string& line) {
    return line.rfind(kErrorPrefix, 0) == 0 && ToLower(line).find("error") != std::string::npos;
}

std::string WithoutStreamPrefix(const std::string& line) {
    for (const char* prefix : {"stderr ", "stdout "}) {
        if (line.rfind(prefix, 0) == 0) return line.substr(std::strlen(prefix));
    }
    return line;
}

NgspiceEngine::NgspiceEngine(RunChannel& channel) : channel_(channel) {}

NgspiceEngine::~NgspiceEngine() {
    if (IsRunning()) {
        // The reader may be waiting in the channel for room; it must get out before the halt
        // can be answered.
        channel_.Cancel();
        Halt();
    }
    shutDown();
}

bool NgspiceEngine::spawn(std::string& error) {
    const std::string program = enginePath();
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        error = std::string("no socket for ngspice's engine: ") + strerror(errno);
        return false;
    }
    // dup2 onto itself would keep close-on-exec set.
    int childEnd = ends[1];
    if (childEnd == kEngineSocket) childEnd = ::fcntl(ends[1], F_DUPFD_CLOEXEC, kEngineSocket + 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childEnd, kEngineSocket);
    // A group of its own: Ctrl-C at the terminal is the session's to handle, not the engine's.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::string name = kEngineName;
    std::string socketArgument = std::to_string(kEngineSocket);
    char* arguments[] = {name.data(), socketArgument.data(), nullptr};
    const int failure = posix_spawn(&pid_, program.c_str(), &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (childEnd != ends[1]) ::close(childEnd);
    ::close(ends[1]);
    if (failure != 0) {
        ::close(ends[0]);
        pid_ = -1;
        error = "ngspice's engine could not be started from " + program + ": " + strerror(failure);
        return false;
    }
    socket_ = ends[0];
    replied_ = false;
    ended_ = false;
    exitAsked_ = false;
    hung_ = false;
    reader_ = std::thread([this, socket = socket_] { readLoop(socket); });
    return true;
}

bool NgspiceEngine::Prepare(std::string& error) {
    settle();
    if (IsReady()) return true;
    if (socket_ < 0 && !spawn(error)) return false;
    std::string answer;
    during_ = "start-up";
    if (request(Kind::kInit, {}, answer)) {
        PayloadReader reply(answer);
        ready_ = reply.Int() == 0;
        error = reply.Text();
    }
    if (!ready_) {
        if (error.empty()) error = "ngspice's engine ended during start-up";
        shutDown();
        return false;
    }
    if (deck_.empty()) return true;
    std::vector<std::string> errors;
    const std::vector<std::string> deck = deck_;
    if (LoadCircuit(deck, errors)) return true;
    error = "ngspice did not take the deck again";
    return false;
}

bool NgspiceEngine::LoadCircuit(const std::vector<std::string>& lines, std::vector<std::string>& errors) {
    errors.clear();
    deck_.clear();
    // Circuits and results of earlier loads would otherwise pile up in the engine. With none
    // there ngspice only warns.
    Command("remcirc");
    Command("destroy all");
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    capture_.clear();
    capturing_ = true;
    const bool answered = codeOf(Kind::kCircuit, text) >= 0;
    capturing_ = false;
    bool rejected = !answered;
    for (const std::string& line : capture_) {
        rejected = rejected || IsNgspiceError(line);
        if (line.rfind(kErrorPrefix, 0) == 0) errors.push_back(WithoutStreamPrefix(line));
    }
    if (!rejected) deck_ = lines;
    return !rejected && IsReady();
}

int NgspiceEngine::codeOf(Kind kind, const std::string& command) {
    if (!IsReady()) return -1;
    std::string answer;
    if (!request(kind, kind == Kind::kCircuit ? command : PayloadWriter().Text(command).bytes, answer)) return -1;
    return static_cast<int>(PayloadReader(answer).Int());
}

int NgspiceEngine::Command(const std::string& command) {
    during_ = command;
    const int code = codeOf(Kind::kCommand, command);
    return code < 0 ? 1 : code;
}

bool NgspiceEngine::StartBackground(const std::string& command) {
    during_ = command;
    running_ = true;
    if (codeOf(Kind::kBackground, command) == 0) return true;
    running_ = false;
    return false;
}

void NgspiceEngine::Halt() {
    std::string answer;
    if (IsReady()) request(Kind::kHalt, {}, answer, kHaltLimit);
}

bool NgspiceEngine::FetchVector(const std::string& plot, const std::string& name, std::vector<double>& values,
                                bool& complex) {
    std::string answer;
    if (!IsReady() || !request(Kind::kVector, PayloadWriter().Text(plot).Text(name).bytes, answer)) return false;
    PayloadReader reply(answer);
    if (reply.Int() != 1) return false;
    complex = reply.Int() == 1;
    values = reply.Doubles();
    return !reply.Failed() && !values.empty();
}

bool NgspiceEngine::VectorValue(const std::string& name, double& value) {
    std::vector<double> values;
    bool complex = false;
    if (!FetchVector("", name, values, complex)) return false;
    value = values.front();
    return true;
}

bool NgspiceEngine::request(Kind kind, std::string_view payload, std::string& reply, std::chrono::milliseconds limit) {
    if (socket_ < 0 || ended_) return false;
    std::string message;
    engine::AppendMessage(message, kind, payload);
    {
        std::lock_guard lock(mutex_);
        replied_ = false;
    }
    if (!engine::WriteAll(socket_, message.data(), message.size())) return false;
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, limit, [&] { return replied_ || ended_; })) {
        hung_ = true;
        ::kill(pid_, SIGKILL);
        changed_.wait(lock, [&] { return ended_.load(); });
    }
    if (!replied_) return false;
    reply = std::move(reply_);
    return true;
}

void NgspiceEngine::readLoop(int socket) {
    engine::MessageReader input(socket);
    Kind kind{};
    std::string payload;
    while (input.Next(kind, payload)) dispatch(kind, payload);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    // A run ends with its engine; what it delivered stays.
    if (running_.exchange(false)) channel_.PushEnd();
    {
        std::lock_guard lock(mutex_);
        waitStatus_ = status;
        ended_ = true;
    }
    changed_.notify_all();
}

void NgspiceEngine::dispatch(Kind kind, const std::string& payload) {
    PayloadReader message(payload);
    switch (kind) {
    case Kind::kText: {
        std::string line = message.Text();
        // Only LoadCircuit captures, and it reads the capture after its reply, which comes later.
        if (capturing_) capture_.push_back(line);
        channel_.PushText(std::move(line));
        break;
    }
    case Kind::kPlot: {
        PlotStart plot;
        plot.name = message.Text();
        plot.type = message.Text();
        plot.title = message.Text();
        plot.complex = message.Int() != 0;
        const std::int64_t count = message.Int();
        for (std::int64_t i = 0; i < count && !message.Failed(); ++i) plot.vectors.push_back(message.Text());
        channel_.PushPlot(std::move(plot));
        break;
    }
    case Kind::kRows: {
        const std::int64_t width = message.Int();
        const std::string_view rows = message.Rest();
        if (width > 0) {
            const std::size_t bytes = static_cast<std::size_t>(width) * sizeof(double);
            channel_.PushRows(rows.data(), rows.size() / bytes, static_cast<std::size_t>(width));
        }
        break;
    }
    case Kind::kEnd:
        running_ = false;
        channel_.PushEnd();
        break;
    case Kind::kExit: {
        std::lock_guard lock(mutex_);
        exitAsked_ = true;
        exitStatus_ = static_cast<int>(message.Int());
        break;
    }
    case Kind::kReply: {
        {
            std::lock_guard lock(mutex_);
            reply_ = payload;
            replied_ = true;
        }
        changed_.notify_all();
        break;
    }
    default:
        break;
    }
}

void NgspiceEngine::settle() {
    if (socket_ < 0) return;
    {
        // An engine whose ngspice asked to exit leaves once it has answered.
        std::unique_lock lock(mutex_);
        if (!ended_ && !exitAsked_) return;
        changed_.wait(lock, [&] { return ended_.load(); });
    }
    release();
    if (exitAsked_) {
        exitPending_ = true;
        exitPendingStatus_ = exitStatus_;
    } else if (hung_) {
        crashPending_ = "ngspice did not answer in time and was ended during: " + during_;
    } else if (WIFSIGNALED(waitStatus_)) {
        crashPending_ = "ngspice crashed (" + signalName(WTERMSIG(waitStatus_)) + ") during: " + during_;
    } else {
        exitPending_ = true;
        exitPendingStatus_ = WEXITSTATUS(waitStatus_);
    }
}

void NgspiceEngine::shutDown() {
    if (socket_ < 0) return;
    if (!ended_) {
        // The engine leaves when its socket closes; one busy in ngspice is ended.
        ::shutdown(socket_, SHUT_RDWR);
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, kLeaveLimit, [&] { return ended_.load(); })) ::kill(pid_, SIGKILL);
    }
    release();
}

void NgspiceEngine::release() {
    reader_.join();
    ::close(socket_);
    socket_ = -1;
    pid_ = -1;
    ready_ = false;
    running_ = false;
}

bool NgspiceEngine::TakeExit(int& status) {
    settle();
    if (!exitPending_) return false;
    exitPending_ = false;
    status = exitPendingStatus_;
    return true;
}

bool NgspiceEngine::TakeCrash(std::string& report) {
    settle();
    if (crashPending_.empty()) return false;
    report = std::move(crashPending_);
    crashPending_.clear();
    return true;
}

}  // namespace veltsim
