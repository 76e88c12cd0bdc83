// Shared by the reliability tests and the soak program: every dialog opened and
// closed through each of its closing paths with the leaks counted, and a seeded
// random user ("monkey") for each dialog with its invariants checked after every
// step. The test suite runs these briefly; tavrokessasoak runs them long.
#ifndef TK_TESTS_RELIABILITY_KIT_H
#define TK_TESTS_RELIABILITY_KIT_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tkr {

enum class Kind { Options, Signin, Properties, History, Progress, Explore };
const char* NameOf(Kind kind);
extern const Kind kAllKinds[6];

struct Tally {
    int cycles = 0;               // dialogs opened (or refused) and closed
    int steps = 0;                // monkey steps taken
    int windowsLeft = 0;          // windows recorded at creation and alive after their dialog
    int handleDrift = 0;          // library handles not given back, summed over cycles
    long long privateGrowth = 0;  // private bytes, last measured cycles
    std::vector<std::string> faults;
};

// Opens and closes `kind` `cycles` times, going round its closing paths (OK,
// Cancel, Escape, close box, a refused event, a dialog that cannot be created).
// Private bytes are compared between the cycle `measured` cycles before the end
// and the end.
Tally CycleDialog(Kind kind, int cycles, int measured);

// `steps` random user steps on `kind`, reopened whenever a step ends it.
Tally Monkey(Kind kind, std::uint32_t seed, int steps);

// The process's committed private bytes now, counted over its address space.
long long PrivateBytes();
// What GetProcessMemoryInfo says they are (PrivateUsage).
long long PrivateUsage();

}  // namespace tkr

#endif
