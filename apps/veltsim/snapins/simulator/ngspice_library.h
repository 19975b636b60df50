#pragma once

#include <string>

#include <ngspice/sharedspice.h>

namespace veltsim {

// The ngspice shared library, opened at run time so that a machine without it gets a clear
// message rather than a loader error, and its documented entry points.
//
// It is opened from the path in the environment variable VELTSIM_NGSPICE when that is set,
// else as "libngspice.so.0" through the system's library search.
class NgspiceLibrary {
public:
    NgspiceLibrary() = default;
    NgspiceLibrary(const NgspiceLibrary&) = delete;
    NgspiceLibrary& operator=(const NgspiceLibrary&) = delete;
    // Leaves the library mapped: see Unload.
    ~NgspiceLibrary() = default;

    // True when open (at once if it already is). Otherwise false, with `error` saying
    // "ngspice shared library not found: " and the loader's reason, or naming the entry point
    // that is missing.
    bool Load(std::string& error);
    bool IsLoaded() const { return handle_ != nullptr; }
    // Unmaps the library, whoever else in the process opened it too. Only for an ngspice that
    // has asked to exit: there is one ngspice per process, and once it has exited its state
    // cannot be initialised again in place, only loaded afresh. A healthy library stays mapped
    // for the life of the process (nothing closes it): opening it again gives back the same
    // instance, which takes a new ngSpice_Init, and its memory stays reachable rather than
    // lost.
    void Unload();

    decltype(&ngSpice_Init) Init = nullptr;
    decltype(&ngSpice_Command) Command = nullptr;
    decltype(&ngSpice_Circ) Circ = nullptr;
    decltype(&ngSpice_running) Running = nullptr;
    decltype(&ngGet_Vec_Info) VectorInfo = nullptr;
    decltype(&ngSpice_CurPlot) CurrentPlot = nullptr;

private:
    void* handle_ = nullptr;
    std::string path_;
};

}  // namespace veltsim
