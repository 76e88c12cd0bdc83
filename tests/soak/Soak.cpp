// The long run: for each dialog, 10,000 random user steps and 1,000 open/close
// cycles through every closing path, with the leak limits of the test suite.
//   tavrokessasoak [--seed N] [--steps N] [--cycles N] [--only NAME]
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DialogDriver.h"
#include "Kit.h"

int main(int argc, char** argv) {
    std::uint32_t seed = GetTickCount();
    int steps = 10000;
    int cycles = 1000;
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seed") == 0) seed = static_cast<std::uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--steps") == 0) steps = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--cycles") == 0) cycles = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--only") == 0) only = argv[i + 1];
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    tkt::StartWatchdog(6 * 3600);
    std::printf("soak: seed %u, %d steps and %d cycles per dialog; private bytes at start %lld (PrivateUsage %lld)\n",
                seed, steps, cycles, tkr::PrivateBytes(), tkr::PrivateUsage());
    const long long kGrowthLimit = 64 * 1024;
    const int measured = cycles > 100 ? cycles - 100 : cycles;
    int failures = 0;
    for (tkr::Kind kind : tkr::kAllKinds) {
        if (!only.empty() && only != tkr::NameOf(kind)) continue;
        DWORD start = GetTickCount();
        tkr::Tally monkey = tkr::Monkey(kind, seed, steps);
        DWORD middle = GetTickCount();
        tkr::Tally leaks = tkr::CycleDialog(kind, cycles, measured);
        DWORD end = GetTickCount();
        bool ok = monkey.faults.empty() && leaks.faults.empty() && leaks.windowsLeft == 0 && leaks.handleDrift == 0 &&
                  leaks.privateGrowth <= kGrowthLimit;
        std::printf("%-10s monkey %d steps in %d sessions (%.1f s) | %d cycles (%.1f s): %d windows left, %d handles, "
                    "private bytes %+lld over the last %d | %s\n",
                    tkr::NameOf(kind), monkey.steps, monkey.cycles, (middle - start) / 1000.0, leaks.cycles,
                    (end - middle) / 1000.0, leaks.windowsLeft, leaks.handleDrift, leaks.privateGrowth, measured,
                    ok ? "ok" : "FAILED");
        for (const std::string& fault : monkey.faults) std::printf("  monkey (seed %u): %s\n", seed, fault.c_str());
        for (const std::string& fault : leaks.faults) std::printf("  cycles: %s\n", fault.c_str());
        std::fflush(stdout);
        if (!ok) ++failures;
    }
    CoUninitialize();
    std::printf("soak: %s\n", failures == 0 ? "all held" : "FAILED");
    return failures == 0 ? 0 : 1;
}
