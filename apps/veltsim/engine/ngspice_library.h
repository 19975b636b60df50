#pragma once

#include <string>

#include <ngspice/sharedspice.h>

namespace veltsim {

// The ngspice shared library, opened at run time so that a machine without it gets a clear
// message rather than a loader error, and its documented entry points.
//
// It is opened from the path in the environment variable VELTSIM_NGSPICE when that is set,
// else as "libngspice.so.0" through the system's library search. Only the engine process opens
// it, once: an ngspice that asked to exit ends its process, so no instance is ever opened again.
class NgspiceLibrary {
public:
    NgspiceLibrary() = default;
    NgspiceLibrary(const NgspiceLibrary&) = delete;
    NgspiceLibrary& operator=(const NgspiceLibrary&) = delete;
    // Leaves the library mapped: its background thread may still be on its way out of it.
    ~NgspiceLibrary() = default;

    // True when open (at once if it already is). Otherwise false, with `error` saying
    // "ngspice shared library not found: " and the loader's reason, or naming the entry point
    // that is missing.
    bool Load(std::string& error);

    decltype(&ngSpice_Init) Init = nullptr;
    decltype(&ngSpice_Command) Command = nullptr;
    decltype(&ngSpice_Circ) Circ = nullptr;
    decltype(&ngSpice_running) Running = nullptr;
    decltype(&ngGet_Vec_Info) VectorInfo = nullptr;
    decltype(&ngSpice_CurPlot) CurrentPlot = nullptr;

private:
    bool bindEntryPoints(void* handle, std::string& error);

    void* handle_ = nullptr;
};

}  // namespace veltsim
