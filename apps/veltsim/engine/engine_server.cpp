#include "engine_server.h"

#include <unistd.h>

#include <algorithm>

namespace veltsim::engine {

namespace {

EngineServer& serverOf(void* self) { return *static_cast<EngineServer*>(self); }

// "tran1" -> "tran"
std::string analysisType(const char* plotType) {
    std::string type = plotType ? plotType : "";
    while (!type.empty() && type.back() >= '0' && type.back() <= '9') type.pop_back();
    return type;
}

// Ask ngspice, which takes commands and lines as writable text.
int run(decltype(&ngSpice_Command) command, std::string text) { return command(text.data()); }

}  // namespace

EngineServer::EngineServer(int fd) : input_(fd), output_(fd) {}

int EngineServer::Serve() {
    serving_ = std::this_thread::get_id();
    Kind kind{};
    std::string payload;
    while (input_.Next(kind, payload)) {
        handle(kind, payload);
        if (exitRequested_) break;
    }
    output_.Flush();
    return exitStatus_;
}

void EngineServer::reply(const PayloadWriter& payload) {
    // An exit asked for during the request is told before its reply, so that the simulator
    // knows of it when the request returns.
    if (exitRequested_) output_.Send(Kind::kExit, PayloadWriter().Int(exitStatus_).bytes);
    output_.Send(Kind::kReply, payload.bytes);
}

void EngineServer::handle(Kind kind, const std::string& payload) {
    if (kind == Kind::kInit) return init();
    if (!ready_) return reply(PayloadWriter().Int(1));
    PayloadReader request(payload);
    switch (kind) {
    case Kind::kCircuit:
        return loadCircuit(payload);
    case Kind::kCommand:
        return reply(PayloadWriter().Int(run(library_.Command, request.Text())));
    case Kind::kBackground:
        return reply(PayloadWriter().Int(run(library_.Command, "bg_" + request.Text())));
    case Kind::kHalt:
        run(library_.Command, "bg_halt");
        return reply(PayloadWriter().Int(0));
    case Kind::kVector:
        return vector(request);
    default:
        return reply(PayloadWriter().Int(1));
    }
}

void EngineServer::init() {
    std::string error;
    if (!ready_ && library_.Load(error)) {
        ready_ = library_.Init(onText, onStatus, onExit, onData, onInitData, onThread, this) == 0;
        if (!ready_) error = "ngspice could not be initialised";
    }
    reply(PayloadWriter().Int(ready_ ? 0 : 1).Text(error));
}

void EngineServer::loadCircuit(const std::string& text) {
    std::vector<char*> lines;
    std::string copy = text;
    char* next = copy.data();
    for (;;) {
        lines.push_back(next);
        char* end = std::find(next, copy.data() + copy.size(), '\n');
        if (end == copy.data() + copy.size()) break;
        *end = '\0';
        next = end + 1;
    }
    lines.push_back(nullptr);
    reply(PayloadWriter().Int(library_.Circ(lines.data())));
}

void EngineServer::vector(PayloadReader request) {
    const std::string plot = request.Text();
    const std::string name = request.Text();
    const char* current = library_.CurrentPlot();
    const std::string previous = current ? current : "";
    const bool elsewhere = !plot.empty() && plot != previous;
    PayloadWriter answer;
    if (elsewhere && run(library_.Command, "setplot " + plot) != 0) return reply(answer.Int(0));
    std::string copy = name;
    pvector_info info = library_.VectorInfo(copy.data());
    const int length = info ? info->v_length : 0;
    if (info && length > 0 && info->v_realdata) {
        answer.Int(1).Int(0).Doubles(info->v_realdata, static_cast<std::size_t>(length));
    } else if (info && length > 0 && info->v_compdata) {
        answer.Int(1).Int(1).Doubles(&info->v_compdata[0].cx_real, 2 * static_cast<std::size_t>(length));
    } else {
        answer.Int(0);
    }
    if (elsewhere) run(library_.Command, "setplot " + previous);
    reply(answer);
}

int EngineServer::onText(char* text, int, void* self) {
    serverOf(self).output_.Send(Kind::kText, PayloadWriter().Text(text ? text : "").bytes);
    return 0;
}

int EngineServer::onStatus(char*, int, void*) { return 0; }

int EngineServer::onExit(int status, NG_BOOL, NG_BOOL, int, void* self) {
    EngineServer& server = serverOf(self);
    server.exitStatus_ = status;
    server.exitRequested_ = true;
    if (std::this_thread::get_id() == server.serving_) return 0;
    // Asked from ngspice's thread: nothing of this ngspice can be used again.
    server.output_.Send(Kind::kExit, PayloadWriter().Int(status).bytes);
    server.output_.Flush();
    _exit(status);
}

int EngineServer::onInitData(pvecinfoall info, int, void* self) {
    EngineServer& server = serverOf(self);
    bool complex = false;
    for (int i = 0; i < info->veccount; ++i) complex = complex || !info->vecs[i]->is_real;
    PayloadWriter plot;
    plot.Text(info->type ? info->type : "").Text(analysisType(info->type)).Text(info->name ? info->name : "");
    plot.Int(complex ? 1 : 0).Int(info->veccount);
    for (int i = 0; i < info->veccount; ++i) plot.Text(info->vecs[i]->vecname);
    server.row_.assign(2 * static_cast<std::size_t>(info->veccount), 0.0);
    server.output_.Send(Kind::kPlot, plot.bytes);
    return 0;
}

int EngineServer::onData(pvecvaluesall values, int, int, void* self) {
    EngineServer& server = serverOf(self);
    std::vector<double>& row = server.row_;
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(values->veccount), row.size() / 2);
    for (std::size_t i = 0; i < count; ++i) {
        row[2 * i] = values->vecsa[i]->creal;
        row[2 * i + 1] = values->vecsa[i]->cimag;
    }
    server.output_.SendRow(row.data(), row.size());
    return 0;
}

int EngineServer::onThread(NG_BOOL notRunning, int, void* self) {
    if (notRunning) serverOf(self).output_.Send(Kind::kEnd, {});
    return 0;
}

}  // namespace veltsim::engine
