#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <veltutil/veltutil.h>

#include "analysis_measures.h"
#include "analysis_record.h"
#include "dc_sweep.h"
#include "deck.h"
#include "ngspice_engine.h"
#include "run_channel.h"
#include "run_driver.h"
#include "run_plots.h"
#include "run_span.h"

namespace veltsim {

// The simulator's event source; final, as the base's destructor is not virtual.
class SimulatorEvents final : public CEventSource {
public:
    SimulatorEvents() : CEventSource("Simulator", "ngspice") {}
};

// The simulator snap-in (type 1): loads SPICE decks into ngspice, runs their analyses while
// the command line stays live, measures probed signals with the library's accumulators and
// plots every analysis as it runs, with the results of its probes, through the front end's
// plotting module. Replies go to the application's command-line log under the line being
// answered; ngspice's own output goes to the front end's audit trail ("Simulation Error
// Log/Audit Trail").
//
// Commands that would call into ngspice are refused while a run goes on; the others (status,
// stop, pause, resume, results and the like) are answered during the run.
//
// Final: the base's destructor is not virtual, and the module deletes it as this class.
class SimulatorSnapIn final : public CInstrumentInterface, private RunListener {
public:
    SimulatorSnapIn();
    ~SimulatorSnapIn();

    Type GetType() override { return TypeSimulator; }
    // Takes the plotting source at once, so that the snap-ins initialised after it find the
    // simulator's grapher item (an instrument document asks for it).
    long Initialize(CGuiFE* gui) override;
    // Closes the plots (as ClearAllPages does) and stops a run that still goes on.
    long Uninitialize() override;
    // The event source (ItemEventSource 0), through which the front end hooks its sink, and,
    // once a run has begun, the grapher item its plots are made through (ItemGrapher 0).
    ComItem GetNthItem(ComItem::ItemType type, int n) override;
    int GetNumItems(ComItem::ItemType type) const override;
    // Answers the veltsim properties (command help, busy, failures, signal index and name,
    // run state and progress, the deck read last).
    long GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override;
    // Closes every page the simulator opened, the run table too; their files stay. The next run
    // starts afresh, with a run table of its own.
    long ClearAllPages(CString* text) override;

protected:
    long ExecuteUnlockedCmd(const char* command, CTreeLog* log) override;

private:
    using Args = std::vector<std::string>;
    struct Command;
    static const std::vector<Command>& Commands();

    // Replies, each under the line being answered. Fail also counts a failure and returns S_FALSE.
    CTreeLog* ReplyLog();
    HTREEITEM Say(const std::string& text);
    long Fail(const std::string& text);
    // Writes under `parent`, or at the top when that line is gone (the log was cleared).
    HTREEITEM SayUnder(HTREEITEM parent, const std::string& text);
    void SayTable(HTREEITEM parent, const std::string& title, const std::vector<std::string>& lines);
    void ToAuditTrail(const std::string& text);
    // Makes ngspice ready, saying why not when it cannot be.
    bool PrepareEngine();
    // Reports an exit that ngspice asked for, or a crash of its engine, since the last report;
    // true when there was one.
    bool ReportExit();
    // Reads a signal that a record of the last run does not keep from the engine, while no
    // run goes on.
    AnalysisRecord::Fetch EngineFetch();
    // The measures of `record`'s analysis under the current settings.
    const AnalysisMeasures& MeasuresOf(std::size_t analysis);

    // Deck commands (simulator_deck.cpp).
    long Load(const Args& args);
    long Reload(const Args& args);
    long Nodes(const Args& args);
    long Spice(const Args& args);
    long Meas(const Args& args);
    // Run commands (simulator_run.cpp).
    long RunDeck(const Args& args);
    long RunAnalysis(const Args& args);
    long Stop(const Args& args);
    long Pause(const Args& args);
    long Resume(const Args& args);
    long Status(const Args& args);
    // Measure commands (simulator_measure.cpp).
    long Probe(const Args& args);
    long Unprobe(const Args& args);
    long Window(const Args& args);
    long At(const Args& args);
    long Reference(const Args& args);
    long Results(const Args& args);
    long Help(const Args& args);

    // Has ngspice run `command` for the command the person typed, `typed` (the run table names
    // the run so), saying "run of `what`"; `cards` are the analyses it may run, as cards or
    // commands (".dc V1 0 1 0.1").
    long StartRun(const std::string& command, const std::string& typed, const std::string& what,
                  const std::vector<std::string>& cards);
    // Tells ngspice what to save for the run `command` ("run", "tran ..."): the device quantities
    // the probes read along with what the deck saves (simulator_measure.cpp).
    bool SendSaves(const std::string& command);
    // Prints the results of every analysis that has any; answers how many it printed.
    std::size_t ReportResults(HTREEITEM parent);
    // The results of analysis `n` with their title on its page: the probes' measures, or, for
    // the analyses that have results of their own kind (a DC sweep, .tf, .pz, the noise totals),
    // those; nullopt when there are none to show.
    std::optional<ResultTable> ResultsOf(std::size_t analysis, std::string& caption);
    // Those of its own kind (simulator_results.cpp); nullopt for an analysis measured by probe.
    std::optional<ResultTable> KindResults(std::size_t analysis, std::string& caption) const;
    // The results of every analysis of the run as its page's table; the run's row of the run table.
    void PlotResults(const RunSummary& summary);
    bool KnownSignal(const std::string& typed) const;
    // Whether `typed` is an expression over known signals; says why not when it is not.
    bool CheckProbe(const std::string& typed);

    // RunListener (simulator_run.cpp).
    void AnalysisBegun(const PlotStart& plot) override;
    void Step(const double* values) override;
    void AnalysisEnded(bool complete) override;
    void Output(const std::string& line) override;
    void RunEnded(const RunSummary& summary) override;

    SimulatorEvents events_;
    RunChannel channel_;
    NgspiceEngine engine_;
    RunDriver driver_;
    std::optional<Deck> deck_;
    // The deck file load read last, which reload reads again (also after ngspice rejected it);
    // how many decks were read so far; the line of it that ngspice's rejection named, or 0.
    std::string lastRead_;
    long deckReads_ = 0;
    long errorLine_ = 0;
    // The deck the probe settings belong to: loading it again keeps them.
    std::string settingsDeck_;
    ProbeSettings settings_;
    RunPlots plots_;
    // What the run in progress (or the last one) runs, as the run table names it.
    std::string runWhat_;
    // The analyses of the last run, with their measures as last taken.
    std::vector<std::unique_ptr<AnalysisRecord>> analyses_;
    std::vector<std::unique_ptr<AnalysisMeasures>> measures_;
    // What each DC sweep of the last run swept, where its card is known; nullopt for the others.
    std::vector<std::optional<DcSweep>> sweeps_;
    // The DC sweeps that the run in progress may run, in the order of their cards.
    std::vector<DcSweep> runSweeps_;
    // The analyses that the run in progress may run, and the span of the one going on.
    std::vector<std::string> runCards_;
    std::optional<RunSpan> span_;
    HTREEITEM runLine_ = nullptr;
    bool runFailed_ = false;
    // Whether ngspice's save list was set by a run since the deck was loaded.
    bool savesChanged_ = false;
    long failures_ = 0;
};

}  // namespace veltsim
