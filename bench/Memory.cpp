// Peak working set at the largest size of each dialog. The peak only grows, so
// each dialog and each baseline runs in a fresh process of its own: this program
// started again with --child.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "Baselines.h"
#include "Bench.h"
#include "resource.h"
#include "Explore.h"
#include "History.h"
#include "Progress.h"

namespace bench {
namespace {

// Peak working set in KB after the child's work, or 0; `commit` gets the peak of
// its committed private memory in KB, `stages` the working set / peak in MB along
// the way.
long RunChild(const std::string& what, long n, long& commit, std::string& stages) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    const std::string out = "bench-memory-" + what + ".txt";
    DeleteFileA(out.c_str());
    std::string command = "\"" + std::string(self) + "\" --child " + what + " --n " + std::to_string(n) +
                          " --out \"" + out + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0;
    DWORD waited = WaitForSingleObject(process.hProcess, 900000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    long kilobytes = 0;
    {
        std::ifstream in(out);
        in >> kilobytes >> commit;
        in.ignore(1);
        std::getline(in, stages);
    }
    DeleteFileA(out.c_str());
    return kilobytes;
}

}  // namespace

namespace {

// Working set and its peak so far, in MB.
std::string Stage(const char* name) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    char text[96];
    std::snprintf(text, sizeof(text), "%s %.0f/%.0f", name, counters.WorkingSetSize / 1048576.0,
                  counters.PeakWorkingSetSize / 1048576.0);
    return text;
}

}  // namespace

int RunMemoryChild(ITavroKessaUI* ui, const std::string& what, long n, const std::string& out) {
    bool done = false;
    std::string stages;
    if (what == "explore-ours" || what == "explore-base") {
        ExploreScene scene(n);
        ExploreHost& host = scene.host;
        BareList& bare = scene.bare;
        ModalRun run;
        stages = Stage("data");
        run.body = [&](HWND) { stages += ", " + Stage("shown"); };
        if (what == "explore-ours") {
            run.title = kExploreTitle;
            run.ready = ListHolds(IDC_EXPLORE_LIST, n);
            done = TimeModal(run, [&] { return ui->ShowExploreDialog(nullptr, &host.params); }).painted;
        } else {
            run.title = "Bench Bare List";
            run.ready = ListHolds(bare.list, n);
            done = TimeModal(run, [&] { return RunBareList(bare); }).painted;
        }
    } else if (what == "history-ours" || what == "history-base") {
        HistoryData data(n);
        ModalRun run;
        stages = Stage("data");
        run.body = [&](HWND) { stages += ", " + Stage("shown"); };
        if (what == "history-ours") {
            run.title = kHistoryTitle;
            run.ready = ListHolds(IDC_HISTORY_LIST, n);
            done = TimeModal(run, [&] { return ui->ShowHistoryDialog(nullptr, &data.params); }).painted;
        } else {
            run.title = "Bench Bare Report";
            run.ready = ListHolds(data.bare.list, n);
            done = TimeModal(run, [&] { return RunBareReport(data.bare); }).painted;
        }
    } else if (what == "progress-ours") {
        done = RunOurProgress(ui, ProgressTexts(n)) >= 0;
    } else if (what == "progress-base") {
        done = RunBareProgress(ProgressTexts(n)) >= 0;
    }
    if (!done) return 1;
    stages += (stages.empty() ? "" : ", ") + Stage("closed");
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 2;
    std::ofstream file(out);
    file << counters.PeakWorkingSetSize / 1024 << " " << counters.PeakPagefileUsage / 1024 << "\n" << stages
         << "\n";
    return file ? 0 : 2;
}

void BenchMemory(const Options& options, Report& report) {
    std::fprintf(stderr, "bench: memory\n");
    struct Case {
        const char* dialog;
        long n;
        const char* baseName;
    };
    const Case cases[] = {
        {"explore", options.smoke ? 1000 : 50000, "the bare list given the same items"},
        {"history", options.smoke ? 1000 : 100000, "the bare report list given the same texts"},
        {"progress", options.smoke ? 1000 : 10000, "the bare progress window given the same updates"},
    };
    for (const Case& c : cases) {
        SetDeadline(std::string("memory, ") + c.dialog, 2400);
        Row row;
        row.name = std::string("memory: peak working set, ") + c.dialog;
        row.n = c.n;
        row.unit = "MB";
        row.baseName = c.baseName;
        // Under Wine the same run's peak can come out at one of a few quite
        // different levels, whichever list it is: several runs each, alternating.
        const int runs = options.smoke ? 1 : std::max(3, options.Reps());
        std::vector<double> oursCommit, baseCommit;
        for (int run = 0; run < runs; ++run) {
            for (int side = 0; side < 2; ++side) {
                bool ours = (side == 0) == (run % 2 == 0);
                std::string stages;
                long commit = 0;
                long kilobytes = RunChild(std::string(c.dialog) + (ours ? "-ours" : "-base"), c.n, commit, stages);
                if (kilobytes <= 0) {
                    if (ours) row.oursMissing = true;
                    continue;
                }
                (ours ? row.ours : row.base).push_back(kilobytes / 1024.0);
                (ours ? oursCommit : baseCommit).push_back(commit / 1024.0);
            }
        }
        char note[240];
        auto range = [](const std::vector<double>& samples) {
            if (samples.empty()) return std::string("-");
            auto bounds = std::minmax_element(samples.begin(), samples.end());
            char text[48];
            std::snprintf(text, sizeof(text), "%.0f-%.0f", *bounds.first, *bounds.second);
            return std::string(text);
        };
        std::snprintf(note, sizeof(note),
                      "whole process, a fresh one each run; range ours %s, baseline %s MB; peak committed memory "
                      "ours %.0f, baseline %.0f MB",
                      range(row.ours).c_str(), range(row.base).c_str(), Median(oursCommit), Median(baseCommit));
        row.note = row.oursMissing ? "our dialog could not be measured" : note;
        report.Add(std::move(row));
    }
    SetDeadline("", 0);
}

}  // namespace bench
