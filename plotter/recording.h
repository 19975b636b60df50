#pragma once

#include <map>
#include <string>
#include <vector>

// What the recording plotting module received, for tests. Handles that it gives out are fake
// addresses that are never dereferenced; arguments are kept as text: numbers in decimal,
// doubles with 17 significant digits, texts as they are, pointers as "null" or hexadecimal,
// and "out" for arguments that only receive a value.

struct RecordedCall {
    int slot;               // the operation's place in the root object's table; -1 for GrapherCreate
    std::string operation;  // the operation's name in the interface
    std::vector<std::string> arguments;
};

struct PlotterRecording {
    std::vector<RecordedCall> calls;
    std::map<int, long> results;     // the answer of each slot; 0 where none is set
    bool createReturnsNull = false;  // GrapherCreate answers null
    bool shown = false;              // the module window's state, as Show left it
    // Off, the module only answers: nothing is recorded or formatted, so that a benchmark or an
    // allocation count sees the client's own cost.
    bool recording = true;

    void Reset() { *this = PlotterRecording(); }
    // The calls of one slot, in order.
    std::vector<RecordedCall> CallsOf(int slot) const {
        std::vector<RecordedCall> found;
        for (const RecordedCall& call : calls)
            if (call.slot == slot) found.push_back(call);
        return found;
    }
};

// The extra export of the recording module.
using GRAPHERRECORDINGPROC = PlotterRecording* (*)();

// The table slot of a virtual operation, from its member pointer (whose value is one more than
// the slot's byte offset in the table on this platform's ABI).
template <class Member>
int SlotOf(Member member) {
    struct Representation {
        unsigned long long pointer;
        long long adjustment;
    };
    static_assert(sizeof(Member) == sizeof(Representation));
    Representation value;
    __builtin_memcpy(&value, &member, sizeof value);
    return static_cast<int>((value.pointer - 1) / sizeof(void*));
}
