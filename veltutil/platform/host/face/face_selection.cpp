#include "veltutil/platform/host/face/face.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "veltutil/platform/host/face/internal/face_hooks.h"
#include "veltutil/platform/host/kernel.h"
#include "veltutil/platform/host/loop/internal/thread_queue.h"
#include "veltutil/platform/host/modules/module.h"

namespace veltutil::detail {

namespace {

struct FaceChoice {
    std::mutex mutex;
    // Read without the mutex by every window made, so that a headless program does not lock.
    std::atomic<bool> made{false};
    CString name;
    std::atomic<Face*> face{nullptr};
    std::atomic<DWORD> uiThread{0};
};

// Never destroyed: windows of static objects tell the face about their end during process exit.
FaceChoice& choice() {
    static auto* instance = new FaceChoice;
    return *instance;
}

Face* load(const CString& name, CString& error) {
    CString file = CString("veltface_") + name + ".dll";
    dlerror();
    HMODULE module = LoadLibrary(file);
    if (!module) {
        const char* reason = dlerror();
        error = "cannot load " + file + (reason ? CString(": ") + reason : CString(" (not found in the module path)"));
        return nullptr;
    }
    // The module stays loaded: the face's windows and toolkit live as long as the process.
    auto entry = reinterpret_cast<FaceEntry>(GetProcAddress(module, kFaceEntryName));
    if (!entry) {
        error = file + " is no face module";
        return nullptr;
    }
    return entry(&error);
}

// Called with the choice's mutex held, once.
void make(FaceChoice& c, const char* name) {
    c.name = name ? name : "";
    // Whatever happens below, the choice is made: a face that failed is not tried again.
    struct Made {
        FaceChoice& c;
        ~Made() { c.made.store(true, std::memory_order_release); }
    } made{c};
    if (c.name.IsEmpty()) return;
    CString error;
    Face* face = load(c.name, error);
    if (!face) {
        std::fprintf(stderr, "veltutil: the %s face is off, windows stay headless: %s\n", c.name.GetString(),
                     error.IsEmpty() ? "the module gave no reason" : error.GetString());
        return;
    }
    c.uiThread.store(GetCurrentThreadId());
    CurrentQueue().SetWaker(face);
    c.face.store(face);
}

}  // namespace

Face* LoadedFace() { return choice().face.load(std::memory_order_acquire); }

Face* ChosenFace() {
    FaceChoice& c = choice();
    if (c.made.load(std::memory_order_acquire)) return c.face.load(std::memory_order_acquire);
    std::lock_guard lock(c.mutex);
    if (!c.made) make(c, std::getenv("VELT_FACE"));
    return c.face.load();
}

Face* FaceOfThisThread() {
    FaceChoice& c = choice();
    Face* face = c.face.load(std::memory_order_acquire);
    return face && c.uiThread.load(std::memory_order_relaxed) == GetCurrentThreadId() ? face : nullptr;
}

Face* ChooseFaceOfThisThread() {
    ChosenFace();
    return FaceOfThisThread();
}

}  // namespace veltutil::detail

BOOL VeltSelectFace(const char* name) {
    auto& c = veltutil::detail::choice();
    std::lock_guard lock(c.mutex);
    if (!c.made) veltutil::detail::make(c, name);
    return c.face.load() != nullptr && c.name == (name ? name : "");
}

BOOL VeltFaceActive() { return veltutil::detail::LoadedFace() != nullptr; }
