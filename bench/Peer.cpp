// Our explore dialog beside the system's own open-file dialog showing a folder
// of as many real files in the Wine prefix.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <set>

#include "Baselines.h"
#include "Bench.h"
#include "resource.h"
#include "Explore.h"

namespace bench {
namespace {

const char* const kSystemTitle = "Bench System Open";

// Makes `folder` hold exactly the files of `items` (made once, kept between runs).
bool MakeFiles(const std::string& folder, const std::vector<Item>& items) {
    CreateDirectoryA("C:\\bench-files", nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    // Exactly these files: anything else (a file an earlier run left) goes.
    std::set<std::string> wanted;
    for (const Item& item : items) wanted.insert(item.name);
    long present = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
            if (wanted.count(found.cFileName) != 0)
                ++present;
            else
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (present == static_cast<long>(items.size())) return true;
    std::fprintf(stderr, "bench: making %zu files in %s\n", items.size(), folder.c_str());
    for (const Item& item : items) {
        HANDLE file = CreateFileA((folder + "\\" + item.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
    }
    return true;
}

}  // namespace

void BenchPeer(ITavroKessaUI* ui, const Options& options, Report& report) {
    const long n = options.smoke ? 1000 : 10000;
    std::fprintf(stderr, "bench: peer\n");
    SetDeadline("peer", 2400);
    std::vector<Item> items = MakeListing(n, 4242, true);
    const std::string folder = "C:\\bench-files\\" + std::to_string(n);

    Row row("peer: explore vs system open-file dialog, first paint", n,
            "GetOpenFileNameA showing a folder of as many real files", Target::Ratio, 1.0);
    if (!MakeFiles(folder, items)) {
        row.note = "could not make the files in " + folder;
        report.Add(std::move(row));
        return;
    }

    auto entries = MakeEntries(items, 0);
    std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> path;
    path.push_back(MakeEntry("kessa.example.com:4100", true, -10));
    path.push_back(MakeEntry("bench-files", true, -11));
    ExploreHost host;
    host.listing = ExploreHost::Pointers(entries);
    host.path = ExploreHost::Pointers(path);

    ModalRun ours(kExploreTitle, ListHolds(IDC_EXPLORE_LIST, n));
    // The list view inside the system dialog's shell view, however deep.
    ModalRun system(kSystemTitle,
                    [n](HWND dialog) { return ItemCount(tkt::FindChildOfClass(dialog, WC_LISTVIEWA)) >= n; });

    char chosen[MAX_PATH] = {};
    auto runSystem = [&] {
        chosen[0] = '\0';
        OPENFILENAMEA open = {};
        open.lStructSize = sizeof(open);
        open.lpstrFilter = "All files\0*.*\0";
        open.nFilterIndex = 1;
        open.lpstrFile = chosen;
        open.nMaxFile = sizeof(chosen);
        open.lpstrInitialDir = folder.c_str();
        open.lpstrTitle = kSystemTitle;
        // Without OFN_NOCHANGEDIR the dialog leaves the process in the folder it showed.
        open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_NOCHANGEDIR;
        ModalResult result = TimeModal(system, [&] { return static_cast<INT_PTR>(GetOpenFileNameA(&open)); });
        return result.painted ? result.ms : -1.0;
    };
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(directory), directory);
    ModalResult last;
    Alternate(
        options, row,
        [&] {
            last = TimeModal(ours, [&] { return ui->ShowExploreDialog(nullptr, &host.params); });
            return last.painted ? last.ms : -1.0;
        },
        runSystem);
    // Whatever the system dialog did, the rest of the run works where it started:
    // the shell looks for some names relative to the current folder.
    SetCurrentDirectoryA(directory);
    if (row.oursMissing) row.note = NotOpened("ShowExploreDialog", last);
    if (row.base.empty()) row.note += (row.note.empty() ? "" : "; ") + std::string("the system dialog did not open");
    report.Add(std::move(row));
    SetDeadline("", 0);
}

}  // namespace bench
