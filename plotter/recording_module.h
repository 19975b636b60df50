#pragma once

#include "plotter/recording.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/modules/module.h"

// A test's hold on the recording plotting module: loads it as the front end would, so that its
// recording stays readable while the test runs, and unloads it at the end of the test.
class RecordingModule {
public:
    RecordingModule() : module_(LoadLibrary("grapher.dll")) {
        if (module_ == nullptr) return;
        if (auto get = reinterpret_cast<GRAPHERRECORDINGPROC>(GetProcAddress(module_, "GrapherRecording"))) {
            recording_ = get();
            recording_->Reset();
        }
    }
    ~RecordingModule() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    RecordingModule(const RecordingModule&) = delete;
    RecordingModule& operator=(const RecordingModule&) = delete;

    bool Loaded() const { return recording_ != nullptr; }
    HMODULE Handle() const { return module_; }
    PlotterRecording& Recording() const { return *recording_; }
    // The module's root object, as GrapherCreate(0) gives it.
    CGrapher* Root() const {
        auto create = reinterpret_cast<GRAPHERCREATEPROC>(GetProcAddress(module_, "GrapherCreate"));
        return create != nullptr ? create(0) : nullptr;
    }

private:
    HMODULE module_;
    PlotterRecording* recording_ = nullptr;
};
