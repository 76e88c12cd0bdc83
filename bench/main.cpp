// tavrokessabench: our dialogs beside the bare platform controls, timed in the
// same process, printed as a table and written as CSV.
//
//   tavrokessabench [--reps N] [--smoke] [--only explore,history,progress,peer,memory,handlers,profile]
//                   [--max-n N] [--pause-ms MS] [--results DIR] [--csv FILE] [--slow-ms MS]
//                   [--profile PART,...]
//
// --results DIR writes DIR/latest.md (the run's machine, method and table) and
// DIR/latest.csv; --csv names the CSV file alone.
//
// --smoke runs every case once at its smallest size: it shows that the program
// and the dialogs work, and its times mean nothing.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include "Bench.h"
#include "tavrokessaui.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: tavrokessabench [--reps N] [--smoke] [--only GROUP,...] [--max-n N] [--pause-ms MS]\n"
                 "                       [--results DIR] [--csv FILE] [--slow-ms MS]\n"
                 "                       [--profile PART,...]\n"
                 "groups: explore history progress peer memory handlers (all by default); profile (only when named)\n");
}

std::vector<std::string> Split(const std::string& list) {
    std::vector<std::string> parts;
    std::stringstream stream(list);
    std::string part;
    while (std::getline(stream, part, ','))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

std::string Registry(HKEY root, const char* key, const char* value) {
    char text[256] = {};
    DWORD size = sizeof(text) - 1;
    if (RegGetValueA(root, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return "?";
    return text;
}

// The Linux load average, read through Wine's view of the root file system.
std::string LoadAverage() {
    std::ifstream file("Z:\\proc\\loadavg");
    std::string one, five, fifteen;
    if (!(file >> one >> five >> fifteen)) return "unknown";
    return one + " " + five + " " + fifteen;
}

std::string DescribeMachine() {
    SYSTEM_INFO system;
    GetNativeSystemInfo(&system);
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof(memory);
    GlobalMemoryStatusEx(&memory);
    using Version = const char*(__cdecl*)();
    auto wineVersion = reinterpret_cast<Version>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    std::time_t now = std::time(nullptr);
    char when[64];
    std::strftime(when, sizeof(when), "%Y-%m-%d %H:%M", std::localtime(&now));
    char line[512];
    std::string text;
    std::snprintf(line, sizeof(line), "machine: %s, %lu processors, %.1f GB memory, Wine %s, %dx%d screen\n",
                 Registry(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                          "ProcessorNameString")
                     .c_str(),
                 system.dwNumberOfProcessors, memory.ullTotalPhys / 1073741824.0,
                 wineVersion != nullptr ? wineVersion() : "(not Wine)", GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN));
    text += line;
    std::snprintf(line, sizeof(line), "started %s, load average %s\n", when, LoadAverage().c_str());
    text += line;
    // The library changes while people work on it: say which build was measured.
    char library[MAX_PATH] = {};
    HMODULE module = GetModuleHandleA("tavrokessaui.dll");
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (module != nullptr && GetModuleFileNameA(module, library, sizeof(library)) != 0 &&
        GetFileAttributesExA(library, GetFileExInfoStandard, &data)) {
        SYSTEMTIME built;
        FileTimeToSystemTime(&data.ftLastWriteTime, &built);
        std::snprintf(line, sizeof(line), "library: tavrokessaui.dll built %04u-%02u-%02u %02u:%02u:%02u UTC\n",
                      built.wYear, built.wMonth, built.wDay, built.wHour, built.wMinute, built.wSecond);
        text += line;
    }
    return text;
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    return GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr) != 0 ? full : path;
}

}  // namespace

int main(int argc, char** argv) {
    bench::Options options;
    std::string child, out;
    long childN = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                Usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--reps") options.reps = std::max(1, std::atoi(next().c_str()));
        else if (arg == "--smoke") options.smoke = true;
        else if (arg == "--only") options.only = Split(next());
        else if (arg == "--csv") options.csv = next();
        else if (arg == "--results") options.results = next();
        else if (arg == "--slow-ms") options.slowMs = std::atof(next().c_str());
        else if (arg == "--max-n") options.maxN = std::atol(next().c_str());
        else if (arg == "--pause-ms") options.pauseMs = std::max(0L, std::atol(next().c_str()));
        else if (arg == "--profile") {
            options.profile = Split(next());
            options.only = {"profile"};
        }
        else if (arg == "--child") child = next();
        else if (arg == "--n") childN = std::atol(next().c_str());
        else if (arg == "--out") out = next();
        else {
            Usage();
            return 2;
        }
    }

    // Where the run started, whatever a dialog does to the current folder.
    if (!options.results.empty()) {
        options.results = FullPath(options.results);
        CreateDirectoryA(options.results.c_str(), nullptr);
        options.csv = options.results + "\\latest.csv";
    }
    options.csv = FullPath(options.csv);

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    ITavroKessaUI* ui = GetITavroKessaUI();
    if (ui == nullptr) {
        std::fprintf(stderr, "bench: no service object\n");
        return 1;
    }
    tkt::StartWatchdog(0);  // each phase sets its own deadline
    bench::SetOpenPause(static_cast<DWORD>(options.smoke ? 0 : options.pauseMs));

    if (!child.empty()) {
        int code = bench::RunMemoryChild(ui, child, childN, out);
        ReleaseITavroKessaUI(ui);
        return code;
    }

    char method[160];
    std::snprintf(method, sizeof(method), "method: median of %d runs, ours and baseline alternating%s\n",
                  options.Reps(), options.WarmUp() ? ", after one warm-up each" : " (smoke run: the times mean nothing)");
    const std::string header = DescribeMachine() + method;
    std::fprintf(stdout, "%s\n", header.c_str());
    std::fflush(stdout);

    bench::Report report;
    if (options.Wants("progress")) bench::BenchProgress(ui, options, report);
    if (options.Wants("explore")) bench::BenchExplore(ui, options, report);
    if (options.Wants("history")) bench::BenchHistory(ui, options, report);
    if (options.Wants("peer")) bench::BenchPeer(ui, options, report);
    if (options.Wants("handlers")) bench::BenchHandlers(ui, options, report);
    if (options.Wants("memory")) bench::BenchMemory(options, report);
    // Only on request: it prints where the time goes rather than figures.
    if (std::find(options.only.begin(), options.only.end(), "profile") != options.only.end())
        bench::Profile(ui, options);
    report.AddGrowth();

    report.Print(stdout);
    const std::string footer = "finished, load average " + LoadAverage();
    std::fprintf(stdout, "\n%s\n", footer.c_str());
    bool written = report.WriteCsv(options.csv);
    std::fprintf(stdout, "%s %s\n", written ? "written:" : "could not write", options.csv.c_str());
    if (!options.results.empty()) {
        const std::string markdown = options.results + "\\latest.md";
        bool kept = report.WriteMarkdown(markdown, header, footer);
        std::fprintf(stdout, "%s %s\n", kept ? "written:" : "could not write", markdown.c_str());
        written = written && kept;
    }
    std::fflush(stdout);
    ReleaseITavroKessaUI(ui);
    CoUninitialize();
    return written ? 0 : 1;
}
