#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <veltutil/veltutil.h>

#include "analysis_measures.h"
#include "analysis_record.h"
#include "probe_signal.h"

namespace veltsim {

// The signals of `record` to draw: the probes it has (in the order they were asked for, each
// once; expressions too), or, without any, its node voltages; at most eight, one per colour of the
// trace palette. None for an analysis without an abscissa (an operating point).
std::vector<ProbeSignal> SignalsToPlot(const AnalysisRecord& record, const std::vector<std::string>& probes);

// One analysis on a standard page of the plotting module: its signals drawn point by point while
// it runs, then the results of its probes as the page's table. The page belongs to this object
// and is closed by Close or by destruction, which must come while the plotting module is loaded.
//
// A transient or a DC sweep (any analysis with a real abscissa) is one graph (diagram type 0);
// an AC sweep two, magnitude and unwrapped phase of each point's complex value (diagram type 3),
// against a logarithmic frequency axis, the magnitude on a logarithmic axis too; noise spectra
// one graph with both axes logarithmic. Voltages are drawn against the left axis; currents,
// when voltages are drawn as well, against the right one. The curves of a nested DC sweep are
// drawn apart, each signal's family in its colour.
//
// The axes stay fitted through the graph's update modes: every data call that asks for an
// update refits (UPDATE_EVERY_N_CALLS with N = 1) from ranges grown by a margin
// (UPDATE_EXPANDING), and Close fits them to all of the data. The caller decides which data
// calls ask for an update: each one also makes the module write the page's files.
class AnalysisPlot {
public:
    // Opens the page through `source`, titled `title`, with a graph of `signals` against an
    // abscissa titled `xTitle` when there are any. IsOpened tells whether the module gave a page.
    AnalysisPlot(CGrapherSource& source, const AnalysisRecord& record, std::vector<ProbeSignal> signals, const std::string& title,
                 const std::string& xTitle);
    AnalysisPlot(const AnalysisPlot&) = delete;
    AnalysisPlot& operator=(const AnalysisPlot&) = delete;
    ~AnalysisPlot() { Close(); }

    bool IsOpened() const { return page_.IsOpened() != 0; }
    // Draws the record's row `row`.
    void Add(const AnalysisRecord& record, std::size_t row, bool update);
    // The results as the page's table, in place of any shown before; the module shows them
    // when it next writes the page (at the latest when it is closed).
    void ShowResults(const std::string& title, const ResultTable& results);
    // Closes the graph (fitting its axes to all of its data), the table and the page. The files
    // stay; the page stops reloading itself in the browser.
    void Close();

private:
    void OpenGraph(const AnalysisRecord& record);

    CStdGrapherPage page_;
    std::vector<ProbeSignal> signals_;
    std::vector<PhaseUnwrapper> phases_;  // one per signal of an AC sweep
    std::string xTitle_;
    bool complex_;
    bool sweep_;
    bool refitted_ = false;
};

}  // namespace veltsim
