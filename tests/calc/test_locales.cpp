// Run directly rather than through ctest, the locale tests still find the
// locales the build compiled for them; a LOCPATH already set is kept.
#include <cstdlib>

namespace {

const bool kLocalesFound = [] { return ::setenv("LOCPATH", TARNEL_TEST_LOCALES, 0) == 0; }();

}  // namespace
