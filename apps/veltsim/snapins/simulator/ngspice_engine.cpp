#include "ngspice_engine.h"

#include <algorithm>
#include <cstring>

#include "text_util.h"

namespace veltsim {

namespace {

constexpr const char* kErrorPrefix = "stderr ";

NgspiceEngine& engineOf(void* self) { return *static_cast<NgspiceEngine*>(self); }

// "tran1" -> "tran"
std::string analysisType(const char* plotType) {
    std::string type = plotType ? plotType : "";
    while (!type.empty() && type.back() >= '0' && type.back() <= '9') type.pop_back();
    return type;
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
    if (!ready_ || !IsRunning()) return;
    // ngspice's thread may be waiting in the channel for room; it must get out before the halt
    // can end it.
    channel_.Cancel();
    Halt();
}

bool NgspiceEngine::Prepare(std::string& error) {
    if (ready_) return true;
    if (!library_.Load(error)) return false;
    // Also when the library was already mapped: it then still calls back into whoever
    // initialised it last.
    if (library_.Init(onText, onStatus, onExit, onData, onInitData, onThread, this) != 0) {
        error = "ngspice could not be initialised";
        return false;
    }
    ready_ = true;
    return true;
}

bool NgspiceEngine::LoadCircuit(const std::vector<std::string>& lines, std::vector<std::string>& errors) {
    errors.clear();
    // ngspice is one per process: circuits and results of earlier loads, also by simulators
    // of earlier sessions, would otherwise pile up in it. With none there it only warns.
    Command("remcirc");
    Command("destroy all");
    std::vector<std::string> copies(lines);
    std::vector<char*> array;
    for (std::string& line : copies) array.push_back(line.data());
    array.push_back(nullptr);
    capture_.clear();
    capturing_ = true;
    library_.Circ(array.data());
    capturing_ = false;
    settleExit();
    bool rejected = false;
    for (const std::string& line : capture_) {
        rejected = rejected || IsNgspiceError(line);
        if (line.rfind(kErrorPrefix, 0) == 0) errors.push_back(WithoutStreamPrefix(line));
    }
    return !rejected && ready_;
}

int NgspiceEngine::Command(const std::string& command) {
    if (!ready_) return 1;
    std::string copy = command;
    const int result = library_.Command(copy.data());
    settleExit();
    return result;
}

bool NgspiceEngine::StartBackground(const std::string& command) {
    if (!ready_) return false;
    std::string copy = "bg_" + command;
    return library_.Command(copy.data()) == 0;
}

void NgspiceEngine::Halt() {
    if (!ready_) return;
    std::string halt = "bg_halt";
    library_.Command(halt.data());
}

bool NgspiceEngine::IsRunning() const { return ready_ && library_.Running(); }

bool NgspiceEngine::VectorValue(const std::string& name, double& value) const {
    if (!ready_) return false;
    std::string copy = name;
    pvector_info info = library_.VectorInfo(copy.data());
    if (!info || info->v_length < 1) return false;
    if (info->v_realdata) {
        value = info->v_realdata[0];
    } else if (info->v_compdata) {
        value = info->v_compdata[0].cx_real;
    } else {
        return false;
    }
    return true;
}

bool NgspiceEngine::TakeExit(int& status) {
    settleExit();
    if (!exitPending_) return false;
    exitPending_ = false;
    status = exitStatus_.load();
    return true;
}

void NgspiceEngine::settleExit() {
    if (!exitRequested_.exchange(false)) return;
    if (library_.Running()) Halt();
    // A background thread that asked to exit has left its last callback but may still be on its
    // way out of the library's code, which stays mapped for it.
    library_.Retire();
    ready_ = false;
    exitPending_ = true;
}

int NgspiceEngine::onText(char* text, int, void* self) {
    NgspiceEngine& engine = engineOf(self);
    std::string line = text ? text : "";
    // Only calls made in this thread capture, and none runs alongside the background thread.
    if (engine.capturing_) engine.capture_.push_back(line);
    engine.channel_.PushText(std::move(line));
    return 0;
}

int NgspiceEngine::onStatus(char*, int, void*) { return 0; }

int NgspiceEngine::onExit(int status, NG_BOOL, NG_BOOL, int, void* self) {
    NgspiceEngine& engine = engineOf(self);
    engine.exitStatus_ = status;
    engine.exitRequested_ = true;
    return 0;
}

int NgspiceEngine::onInitData(pvecinfoall info, int, void* self) {
    NgspiceEngine& engine = engineOf(self);
    PlotStart plot;
    plot.name = info->type ? info->type : "";
    plot.type = analysisType(info->type);
    plot.title = info->name ? info->name : "";
    for (int i = 0; i < info->veccount; ++i) plot.vectors.emplace_back(info->vecs[i]->vecname);
    engine.row_.assign(2 * plot.vectors.size(), 0.0);
    engine.channel_.PushPlot(std::move(plot));
    return 0;
}

int NgspiceEngine::onData(pvecvaluesall values, int, int, void* self) {
    NgspiceEngine& engine = engineOf(self);
    std::vector<double>& row = engine.row_;
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(values->veccount), row.size() / 2);
    for (std::size_t i = 0; i < count; ++i) {
        row[2 * i] = values->vecsa[i]->creal;
        row[2 * i + 1] = values->vecsa[i]->cimag;
    }
    engine.channel_.PushRow(row.data(), row.size());
    return 0;
}

int NgspiceEngine::onThread(NG_BOOL notRunning, int, void* self) {
    if (notRunning) engineOf(self).channel_.PushEnd();
    return 0;
}

}  // namespace veltsim
