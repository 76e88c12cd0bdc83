#include "Data.h"

#include <cstdio>

#include "tavrokessaui.h"

namespace bench {
namespace {

// A small generator of our own: the same data on every machine and every run.
class Random {
public:
    explicit Random(unsigned seed) : m_state(seed * 2654435761u + 1) {}
    unsigned Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    unsigned Below(unsigned limit) { return Next() % limit; }

private:
    unsigned m_state;
};

// About twenty extensions, .exe and .dll among them: the shell names their icons
// by the whole file name, so they cannot share a looked-up icon.
const char* const kExtensions[] = {"txt", "cpp", "h",   "c",   "doc", "xls", "pdf", "jpg", "png", "gif",
                                   "zip", "xml", "htm", "css", "js",  "ini", "log", "bat", "exe", "dll"};
const char* const kStems[] = {"report", "main",   "notes",  "image",  "build",   "config", "setup",
                              "readme", "module", "sample", "backup", "invoice", "draft",  "chart"};
const char* const kFolderNames[] = {"Source", "Documents", "Assets", "Release", "Archive", "Tests", "Tools"};

const char* const kAuthors[] = {"anna.lindqvist", "b.okafor",   "carlos", "dmitri.v", "e.nakamura", "fatima",
                                "g.rossi",        "h.schwartz", "ingrid", "j.mensah", "kwame",      "l.moreau"};
const char* const kVerbs[] = {"Fix", "Add", "Remove", "Rework", "Speed up", "Document", "Rename", "Test"};
const char* const kThings[] = {"the parser",    "file locking", "the installer", "date handling", "the cache",
                               "error reports", "the toolbar",  "logging",       "the importer",  "undo"};
const char* const kDetails[] = {
    "The old code path failed when the server was slow to answer; it now retries once.",
    "Reviewed with the team; see the ticket for the measurements behind this change.",
    "Keeps the previous behaviour for existing projects and adds a setting for new ones.",
    "Covers the corner case reported by the support desk last week.",
};

template <size_t N>
const char* Pick(const char* const (&list)[N], Random& random) {
    return list[random.Below(N)];
}

// Days since 1970-01-01 to a calendar date.
void CivilFromDays(long long days, int& year, int& month, int& day) {
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long dayOfEra = days - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

std::vector<Item> MakeListing(long count, unsigned seed, bool filesOnly) {
    Random random(seed);
    std::vector<Item> items;
    items.reserve(static_cast<size_t>(count));
    long folders = filesOnly ? 0 : count / 10;
    char name[64];
    for (long i = 0; i < count; ++i) {
        if (i < folders) {
            std::snprintf(name, sizeof(name), "%s %05ld", Pick(kFolderNames, random), i);
            items.push_back(Item{name, true});
        } else {
            std::snprintf(name, sizeof(name), "%s_%05ld.%s", Pick(kStems, random), i, Pick(kExtensions, random));
            items.push_back(Item{name, false});
        }
    }
    return items;
}

std::unique_ptr<TavroKessaExploreDialogEntry> MakeEntry(const std::string& name, bool folder, int index) {
    auto entry = std::make_unique<TavroKessaExploreDialogEntry>();
    entry->SetDisplayName(name.c_str());
    entry->SetFolder(folder);
    entry->SetIndex(index);
    return entry;
}

std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> MakeEntries(const std::vector<Item>& items, int first) {
    std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> entries;
    entries.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        entries.push_back(MakeEntry(items[i].name, items[i].folder, first + static_cast<int>(i)));
    return entries;
}

std::vector<Version> MakeVersions(long count) {
    Random random(7);
    std::vector<Version> versions;
    versions.reserve(static_cast<size_t>(count));
    long long seconds = 1262304000;  // 2010-01-01
    char text[256];
    for (long i = 0; i < count; ++i) {
        Version version;
        version.number = static_cast<int>(i + 1);
        seconds += 600 + random.Below(36 * 3600);
        version.key = seconds;
        int year, month, day;
        CivilFromDays(seconds / 86400, year, month, day);
        int minutes = static_cast<int>(seconds % 86400 / 60);
        std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d", year, month, day, minutes / 60, minutes % 60);
        version.date = text;
        version.author = Pick(kAuthors, random);
        std::snprintf(text, sizeof(text), "%s %s (#%ld)", Pick(kVerbs, random), Pick(kThings, random), 1000 + i);
        version.firstLine = text;
        version.comment = version.firstLine + "\r\n" + Pick(kDetails, random);
        versions.push_back(std::move(version));
    }
    return versions;
}

std::vector<std::unique_ptr<TavroKessaFileHistoryEntry>> MakeHistoryEntries(const std::vector<Version>& versions) {
    std::vector<std::unique_ptr<TavroKessaFileHistoryEntry>> entries;
    entries.reserve(versions.size());
    // A host lists the newest version first.
    for (size_t i = versions.size(); i-- > 0;) {
        const Version& version = versions[i];
        auto entry = std::make_unique<TavroKessaFileHistoryEntry>();
        entry->SetEntry(static_cast<int>(i));
        entry->SetLatestVer(version.number);
        entry->SetLastModDateLatest(version.date.c_str());
        entry->SetLastModDateLatestSortVal(version.key);
        entry->SetUserName(version.author.c_str());
        entry->SetComment(version.comment.c_str());
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace bench
