// The history dialog beside a bare five-column report list: open to first paint
// and sorting by each column.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "Baselines.h"
#include "Bench.h"
#include "resource.h"
#include "History.h"

namespace bench {

const char* const kHistoryTitle = "History";  // the dialog's own caption

HistoryData::HistoryData(long count) : versions(MakeVersions(count)), entries(MakeHistoryEntries(versions)) {
    params.SetKessaPath("$/Projects/Big folder/engine/scheduler.cpp");
    params.SetLocalVer(static_cast<int>(count / 2));
    for (const auto& entry : entries) params.AddEntry(entry.get());
    params.SetITavroKessaHistoryDialogEvents(&host);
    bare.versions = &versions;
    bare.numbers.reserve(versions.size());
    for (const Version& version : versions) bare.numbers.push_back(std::to_string(version.number));
}

namespace {

// The key a row sorts by, as text, so that all four columns compare alike.
std::string KeyOf(const Version& version, int column) {
    switch (column) {
        case 1: return std::to_string(version.number);
        case 2: return std::to_string(version.key);
        case 3: return version.author;
        default: return version.comment;
    }
}

bool Before(const Version& a, const Version& b, int column) {
    switch (column) {
        case 1: return a.number < b.number;
        case 2: return a.key < b.key;
        case 3: return std::strcmp(a.author.c_str(), b.author.c_str()) < 0;
        default: return std::strcmp(a.comment.c_str(), b.comment.c_str()) < 0;
    }
}

// The key the first row has once the list is sorted by `column` in `direction`.
std::string FirstKey(const std::vector<Version>& versions, int column, int direction) {
    const Version* best = &versions.front();
    for (const Version& version : versions)
        if (direction == 1 ? Before(version, *best, column) : Before(*best, version, column)) best = &version;
    return KeyOf(*best, column);
}

const char* const kColumnNames[] = {"", "Version", "Date", "Created By", "Comment"};

// --- Open to first paint ----------------------------------------------------------------

void OpenCase(ITavroKessaUI* ui, const Options& options, Report& report, const std::vector<long>& sizes) {
    for (long n : sizes) {
        SetDeadline("history open, N=" + std::to_string(n), 2400);
        HistoryData data(n);

        Row row("history: open to first paint", n,
                "five-column report list view in a plain dialog given the same texts", Target::Ratio, 1.3);
        row.scales = true;

        ModalRun ours(kHistoryTitle, ListHolds(IDC_HISTORY_LIST, n));
        ModalRun base("Bench Bare Report", ListHolds(data.bare.list, n));
        ModalResult last;
        bool fast = Alternate(
            options, row,
            [&] {
                last = TimeModal(ours, [&] { return ui->ShowHistoryDialog(nullptr, &data.params); });
                return last.painted ? last.ms : -1.0;
            },
            [&] { return TimeModal(base, [&] { return RunBareReport(data.bare); }).ms; });
        if (row.oursMissing) row.note = NotOpened("ShowHistoryDialog", last);
        bool missing = row.oursMissing;
        report.Add(std::move(row));
        if (!fast || missing) break;
    }
}

// --- Sorting -------------------------------------------------------------------------------

void SortCase(ITavroKessaUI* ui, const Options& options, Report& report, long n) {
    SetDeadline("history sort, N=" + std::to_string(n), 2400);
    HistoryData data(n);
    std::vector<Row> rows(5);
    for (int column = 1; column <= 4; ++column) {
        Row& row = rows[static_cast<size_t>(column)];
        row.name = std::string("history: sort by ") + kColumnNames[column];
        row.n = n;
        row.baseName = "LVM_SORTITEMS on the bare report list, keys in a plain array";
        row.target = Target::Ratio;
        row.limit = 1.5;
    }

    OpenBareReport(data.bare);
    Settle();
    // Both lists alternate the direction on every click, on any column.
    int oursDirection = 0;
    auto sortBoth = [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_HISTORY_LIST);
        for (int column = 1; column <= 4; ++column) {
            Row& row = rows[static_cast<size_t>(column)];
            Alternate(
                options, row,
                [&] {
                    if (dialog == nullptr) return -1.0;
                    oursDirection = oursDirection == 1 ? 2 : 1;
                    std::string expected = FirstKey(data.versions, column, oursDirection);
                    return TimeAction([&] { PostColumnClick(dialog, list, column); },
                                      [&] {
                                          LPARAM position = tkt::ItemParam(list, 0);
                                          TavroKessaFileHistoryEntry* entry =
                                              data.params.GetEntry(static_cast<unsigned>(position));
                                          if (entry == nullptr) return false;
                                          const Version& version =
                                              data.versions[static_cast<size_t>(entry->GetEntry())];
                                          return KeyOf(version, column) == expected;
                                      });
                },
                [&] {
                    return TimeAction([&] { PostColumnClick(data.bare.dialog, data.bare.list, column); });
                });
        }
    };

    ModalRun run(kHistoryTitle, ListHolds(IDC_HISTORY_LIST, n));
    run.body = [&](HWND dialog) {
        MoveToCorner(dialog, 1);
        Settle();
        sortBoth(dialog);
    };
    ModalResult result = TimeModal(run, [&] { return ui->ShowHistoryDialog(nullptr, &data.params); });
    if (!result.painted) sortBoth(nullptr);
    if (data.bare.dialog != nullptr) DestroyWindow(data.bare.dialog);
    Settle();
    for (int column = 1; column <= 4; ++column) {
        Row& row = rows[static_cast<size_t>(column)];
        if (row.oursMissing) row.note = NotOpened("ShowHistoryDialog", result);
        report.Add(std::move(row));
    }
}

}  // namespace

void BenchHistory(ITavroKessaUI* ui, const Options& options, Report& report) {
    const std::vector<long> sizes = options.Sizes({1000, 10000, 100000});
    std::fprintf(stderr, "bench: history open\n");
    OpenCase(ui, options, report, sizes);
    const std::vector<long> sortSize = options.Sizes({100000});
    std::fprintf(stderr, "bench: history sort\n");
    if (!sortSize.empty() || !sizes.empty())
        SortCase(ui, options, report, sortSize.empty() ? sizes.back() : sortSize.front());
    SetDeadline("", 0);
}

}  // namespace bench
