// Linked into every test program: "grapher.dll" is the recording plotting module there, found
// in its own build folder ahead of the drawing module beside the libraries, unless whoever
// runs the tests has set VELT_MODULE_PATH already. The libraries' folder stays in the search
// for tests that load a library by its bare name.
#include <cstdlib>

namespace {

const bool selected = [] {
    ::setenv("VELT_MODULE_PATH", VELT_TEST_BINARY_DIR "/plotter:" VELT_TEST_BINARY_DIR, 0);
    return true;
}();

}  // namespace
