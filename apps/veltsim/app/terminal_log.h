#pragma once

#include <functional>
#include <string>

#include <veltutil/veltutil.h>

namespace veltsim {

// The command line and log window of the application, whose lines are also printed as they
// are written: a top-level line (a command as typed) after "> ", each line below it after one
// "|   " per level, as the log's save file writes them.
class TerminalLog : public CCmdLog {
public:
    using Printer = std::function<void(const std::string&)>;

    TerminalLog(const char* name, Printer printer) : CCmdLog(name, nullptr), printer_(std::move(printer)) {}

    using CCmdLog::AddText;
    long AddText(_TREEITEM* parent, OutputStyle style, const char* text, _TREEITEM** item, int ensureVisible) override;

private:
    Printer printer_;
};

}  // namespace veltsim
