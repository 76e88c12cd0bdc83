// What the benchmark's host shows: listings of folders and files with about
// twenty extensions, and version histories with dates, authors and two-line
// comments. Everything is made up front, deterministically, so that the host
// answers instantly and every run sees the same data.
#ifndef TK_BENCH_DATA_H
#define TK_BENCH_DATA_H

#include <memory>
#include <string>
#include <vector>

class TavroKessaExploreDialogEntry;
class TavroKessaFileHistoryEntry;

namespace bench {

struct Item {
    std::string name;
    bool folder;
};

// `count` items: a tenth folders, then files; `filesOnly` makes files only.
std::vector<Item> MakeListing(long count, unsigned seed, bool filesOnly = false);

// Explore entries for a listing, with indices first, first + 1, ...
std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> MakeEntries(const std::vector<Item>& items, int first);
std::unique_ptr<TavroKessaExploreDialogEntry> MakeEntry(const std::string& name, bool folder, int index);

struct Version {
    int number;
    std::string date;
    long long key;  // seconds since 1970
    std::string author;
    std::string comment;    // two lines, CR LF between
    std::string firstLine;  // as the list shows it
};

// Versions 1..count, oldest first, a few hours to days apart.
std::vector<Version> MakeVersions(long count);
std::vector<std::unique_ptr<TavroKessaFileHistoryEntry>> MakeHistoryEntries(const std::vector<Version>& versions);

}  // namespace bench

#endif
