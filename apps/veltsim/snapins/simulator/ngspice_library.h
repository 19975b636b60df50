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
    // Leaves the library mapped: nothing ever unmaps an ngspice (see Retire).
    ~NgspiceLibrary() = default;

    // True when open (at once if it already is). Otherwise false, with `error` saying
    // "ngspice shared library not found: " and the loader's reason, naming the entry point
    // that is missing, or saying that a fresh instance could not be made.
    bool Load(std::string& error);
    bool IsLoaded() const { return handle_ != nullptr; }
    // Sets aside an ngspice that has asked to exit, for every user in the process: there is one
    // ngspice per process, and once it has exited its state cannot be initialised again in
    // place. The next Load, here or by a later simulator, opens a fresh instance. A healthy
    // library is never retired: opening it again gives back the same instance, which takes a
    // new ngSpice_Init.
    void Retire();

    decltype(&ngSpice_Init) Init = nullptr;
    decltype(&ngSpice_Command) Command = nullptr;
    decltype(&ngSpice_Circ) Circ = nullptr;
    decltype(&ngSpice_running) Running = nullptr;
    decltype(&ngGet_Vec_Info) VectorInfo = nullptr;
    decltype(&ngSpice_CurPlot) CurrentPlot = nullptr;

private:
    bool bindEntryPoints(void* handle, std::string& error);

    void* handle_ = nullptr;
    std::string path_;
};

}  // namespace veltsim
