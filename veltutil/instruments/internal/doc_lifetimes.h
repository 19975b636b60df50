#pragma once

#include <vector>

class CInstrumentBase;
class CTreeLog;

namespace veltutil::detail {

// What an instrument document keeps behind its interface about the lifetimes of the objects it
// shares with others: its command log and the instruments it removes.
//
// Instruments are removed as a list removes nodes during a walk: while any operation of the
// document runs (a removal, a clone, a command line), an instrument that loses its last
// reference stays in memory until the outermost operation ends, because the code of the outer
// operations may still be running on it (an instrument whose removal notice removes its own
// RefID, a copy whose OnInsert does).
struct DocLifetimes {
    // The command log Initialize created, until the document frees it (when it goes or is
    // initialized again).
    CTreeLog* createdLog = nullptr;
    // Operations under way.
    int operations = 0;
    // Instruments whose removal began during them: they are removed once, and deleted when the
    // outermost operation ends if no reference is left.
    std::vector<CInstrumentBase*> retiring;

    bool IsRetiring(const CInstrumentBase* instrument) const;
};

// One operation of the document on its instruments, for as long as it lives.
class DocOperation {
public:
    explicit DocOperation(DocLifetimes& lifetimes) : lifetimes_(lifetimes) { ++lifetimes_.operations; }
    // The outermost one deletes the instruments removed meanwhile that no one holds.
    ~DocOperation();
    DocOperation(const DocOperation&) = delete;
    DocOperation& operator=(const DocOperation&) = delete;

private:
    DocLifetimes& lifetimes_;
};

}  // namespace veltutil::detail
