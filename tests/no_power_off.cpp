// Linked into every test program: no test, and no player that a test starts,
// may ever turn the machine off. The real power-off refuses while this
// variable is set, and child processes inherit it.
#include <cstdlib>

namespace {
const int kNoPowerOff = [] { return setenv("TARVELINO_NO_POWER_OFF", "1", 1); }();
}  // namespace
