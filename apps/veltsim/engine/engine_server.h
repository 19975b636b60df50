#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine_protocol.h"
#include "ngspice_library.h"
#include "output_queue.h"

namespace veltsim::engine {

// The engine process's work: ngspice in this process, driven by the simulator's requests from
// the socket `fd`, its output, plots, steps and the end of its thread sent back as they come.
// Requests are carried out one at a time on the calling thread; ngspice's callbacks only send.
//
// Serve returns when the simulator closes its end, or after the reply to the request during
// which ngspice asked to exit. An exit that ngspice's background thread asks for ends the
// process from that thread, once what was sent is written.
class EngineServer {
public:
    explicit EngineServer(int fd);
    EngineServer(const EngineServer&) = delete;
    EngineServer& operator=(const EngineServer&) = delete;

    // The process's exit status.
    int Serve();

private:
    void handle(Kind kind, const std::string& payload);
    void reply(const PayloadWriter& payload);
    void init();
    void loadCircuit(const std::string& text);
    void vector(PayloadReader request);

    static int onText(char* text, int id, void* self);
    static int onStatus(char* text, int id, void* self);
    static int onExit(int status, NG_BOOL immediate, NG_BOOL quit, int id, void* self);
    static int onData(pvecvaluesall values, int count, int id, void* self);
    static int onInitData(pvecinfoall info, int id, void* self);
    static int onThread(NG_BOOL notRunning, int id, void* self);

    MessageReader input_;
    OutputQueue output_;
    NgspiceLibrary library_;
    bool ready_ = false;
    std::thread::id serving_;
    std::atomic<bool> exitRequested_{false};
    std::atomic<int> exitStatus_{0};
    // The current plot's step, reused on ngspice's thread from step to step.
    std::vector<double> row_;
};

}  // namespace veltsim::engine
