// veltsim-engine: ngspice in a process of its own, so that a crash inside ngspice ends this
// process and not the session. Started by the simulator with its end of a socket as the only
// argument; never by hand.

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "engine_server.h"

// A crash must reach the simulator as the signal it is, also in a sanitized build; and
// ngspice keeps its memory to the end, which is not this program's leak.
extern "C" const char* __asan_default_options() {
    return "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_abort=0:detect_leaks=0";
}

int main(int argc, char** argv) {
    char* end = nullptr;
    const long fd = argc == 2 ? std::strtol(argv[1], &end, 10) : -1;
    if (fd < 0 || !end || *end != '\0') {
        std::fputs("veltsim-engine: started by veltsim's simulator, not by hand\n", stderr);
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    // Descriptors the simulator's process left open (the write end of a pipe its input comes
    // through) must not be held open here, or its reader would never see their end; nor may a
    // program that ngspice starts (its shell command) hold the socket after this process ended.
    const unsigned socket = static_cast<unsigned>(fd);
    if (socket > 3) close_range(3, socket - 1, 0);
    close_range(socket + 1, ~0U, 0);
    fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
    // Never destroyed: ngspice's thread may still be in a callback that sends. The process
    // ends straight away, as ngspice's teardown at exit is no business of one that is done.
    auto* server = new veltsim::engine::EngineServer(static_cast<int>(fd));
    _exit(server->Serve());
}
