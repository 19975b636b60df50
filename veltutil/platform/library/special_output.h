#pragma once

#include <mutex>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/library/library_export.h"

// Special outputs: numbered channels that a program can point at a file, so that what the
// suite's modules log is also collected there (type 2 receives every line of the tree logs).
// A program activates a type with a file and deactivates it again; while active, every
// WriteText on that type is appended to the file and is complete in it when the call returns,
// so a crash loses nothing already written.
class VELTLIBRARY_API CSpecialOutput {
public:
    static constexpr int kTypeCount = 8;

    CSpecialOutput() = default;
    ~CSpecialOutput();
    CSpecialOutput(const CSpecialOutput&) = delete;
    CSpecialOutput& operator=(const CSpecialOutput&) = delete;

    // The program-wide outputs.
    static CSpecialOutput& GetGlobal();

    // Opens path for appending (creating it) as the output of type; a type that was active is
    // switched over. False, with the type left inactive, for an unknown type or a file that
    // cannot be opened.
    bool Activate(int type, const char* path);
    void Deactivate(int type);
    bool IsSpecial(int type) const;
    // The file of an active type; empty otherwise.
    CString GetPath(int type) const;

    // Appends text, and a line end when lineEnd is set, to the file of type. False when the
    // type is not active or the file refused the write.
    bool WriteText(int type, const char* text, bool lineEnd);

private:
    struct Output {
        int fd = -1;
        CString path;
    };

    static bool validType(int type) { return type >= 0 && type < kTypeCount; }
    void closeLocked(Output& output);

    mutable std::mutex mutex_;
    Output outputs_[kTypeCount];
};
