#pragma once

#include <string>
#include <vector>

#include <veltutil/veltutil.h>

namespace veltsim {

// The command utilities snap-in ("ComUtilities"), attached to the command line's log: every
// line typed reaches it. It writes the line into the log as a new top-level line and passes it
// on to the snap-in it names, either by the snap-in's name first ("Simulator status") or by a
// command that snap-in knows ("status"); the snap-in's replies land under the line, which is
// the log's relative root meanwhile. Its own commands are help, quit and trail.
class ConsoleSnapIn : public CInstrumentInterface {
public:
    explicit ConsoleSnapIn(CTreeLog& log);

    // Set by quit: the application ends once nothing is running any more.
    bool QuitRequested() const { return quitRequested_; }
    // Lines that named no command of any snap-in.
    long Failures() const { return failures_; }
    // Lines answered so far.
    long LinesAnswered() const { return answered_; }

    long GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override;

protected:
    long ExecuteUnlockedCmd(const char* command, CTreeLog* log) override;

private:
    long Dispatch(const std::string& line);
    long Help();
    long Quit();
    long Trail(const std::vector<std::string>& args);
    // The snap-in that knows `command`, other than this one, or null.
    CInstrumentInterface* OwnerOf(const std::string& command);
    void Say(const std::string& text);

    CTreeLog& log_;
    bool quitRequested_ = false;
    long failures_ = 0;
    long answered_ = 0;
};

// The commands a snap-in lists in its help property: name, arguments and summary of each.
struct CommandHelp {
    std::string name;
    std::string arguments;
    std::string summary;
};
std::vector<CommandHelp> CommandsOf(CInstrumentInterface& snapIn);

}  // namespace veltsim
