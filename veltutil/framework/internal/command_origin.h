#pragma once

// Where the command line being run came from. A line a person typed into a command line
// window reaches a snap-in through its log (CTreeLog::ExecuteCmd) and is marked Window; every
// other line is Code. Instrument documents accept address arguments from Code lines only.
//
// The mark is per thread and is fixed when a line enters a snap-in: the snap-in's command queue
// keeps it with the line, so a typed line that has to wait for the command lock still runs as
// Window, and a line from code that runs in its wake still runs as Code.
namespace veltutil::detail {

enum class CommandOrigin { Code, Window };

CommandOrigin CurrentCommandOrigin();

// Marks the lines run on this thread while it lives, then restores the previous mark.
class CommandOriginScope {
public:
    explicit CommandOriginScope(CommandOrigin origin);
    ~CommandOriginScope();
    CommandOriginScope(const CommandOriginScope&) = delete;
    CommandOriginScope& operator=(const CommandOriginScope&) = delete;

private:
    CommandOrigin previous_;
};

}  // namespace veltutil::detail
