#include "veltutil/logs/internal/advisor.h"

#include <iterator>

namespace veltutil::detail {
namespace {

struct AdvisorEntry {
    const char* fragment;
    unsigned long context;
};

// Searched in this order; the first fragment found wins. Some fragments are listed twice: the
// later copies can never match and are kept so the table stays the documented one.
constexpr AdvisorEntry kAdvisorTable[] = {
    {"Does not converge", 2001},
    {"Too many iteration not convergent", 2001},
    {"GMIN stepping failed", 2002},
    {"GMIN step failed", 2002},
    {"Source stepping failed", 2003},
    {"Singular matrix", 2004},
    {"Time step too small", 2004},
    {"Timestep too small", 2004},
    {"Convergence problems", 2005},
    {"lossy line series resistance not given", 2010},
    {"lossy line parallel conductance not given", 2010},
    {"lossy line series inductance not given", 2010},
    {"lossy line parallel capacitance not given", 2010},
    {"lossy line length must be given", 2011},
    {"Nonzero G (except RG) line not supported yet", 2011},
    {"At least two of R, L, G, C must be specified and nonzero", 2011},
    {"At least two of R,L,G,C must be specified and nonzero", 2011},
    {"transmission line z0 must be given", 2011},
    {"grading coefficient too large", 2012},
    {"activation energy too small", 2012},
    {"coefficient Fc too large", 2012},
    {"breakdown current increased to", 2012},
    {"BJT model", 2013},
    {"Error: too few nodes for BJT", 2014},
    {"B1: MOSFET", 2015},
    {"B2: MOSFET", 2015},
    {"Error: unknown subckt", 2016},
    {"Too few parameters for sub circuit type", 2016},
    {"Too many parameters for sub circuit type", 2016},
    {"Error: too few nodes", 2016},
    {"Error: too few devs", 2016},
    {"Error: no such sub circuit", 2016},
    {"Error: unknown subckt", 2016},
    {"Too few parameters for sub circuit type", 2016},
    {"Too many parameters for sub circuit type", 2016},
    {"Error: no such device or model name", 2017},
    {"Internal Error: no parameter", 2017},
    {"Error: no such device or model name", 2017},
    {"Error: no such parameter", 2017},
    {"Error: no default parameter", 2017},
    {"Unknown device type for model", 2017},
    {"Unrecognized parameter", 2017},
    {"ERROR - unable to find definition of model", 2017},
    {"Unable to find definition of model", 2017},
    {"ERROR - model", 2017},
    {"DC operating point failed", 2018},
    {"Simulation was not initialized properly", 2019},
};

static_assert(std::size(kAdvisorTable) == 47);

}  // namespace

unsigned long FindAdvisorContext(const CString& line) {
    CString upper = line;
    upper.MakeUpper();
    for (const AdvisorEntry& entry : kAdvisorTable) {
        CString fragment(entry.fragment);
        if (upper.Find(fragment.MakeUpper()) >= 0) return entry.context;
    }
    return 0;
}

}  // namespace veltutil::detail
