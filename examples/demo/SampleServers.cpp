#include "SampleServers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace demo {
namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Wildcard match of one pattern: '*' any run, '?' any one character.
bool MatchOne(const char* name, const char* pattern, size_t length) {
    const char* star = nullptr;
    const char* resume = nullptr;
    const char* end = pattern + length;
    while (*name != '\0') {
        if (pattern < end && (*pattern == '?' || std::tolower(static_cast<unsigned char>(*pattern)) ==
                                                     std::tolower(static_cast<unsigned char>(*name)))) {
            ++pattern;
            ++name;
        } else if (pattern < end && *pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (pattern < end && *pattern == '*') ++pattern;
    return pattern == end;
}

// A small deterministic generator: the sample content is the same on every run.
class Random {
public:
    explicit Random(unsigned seed) : m_state(seed * 2654435761u + 1) {}
    unsigned Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<unsigned>(n)); }
    template <typename T, size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[Below(static_cast<int>(N))];
    }

private:
    unsigned m_state;
};

const char* const kAuthors[] = {"alice", "bob", "carol", "dave", "erin"};

const char* const kSummaries[] = {
    "Fix crash when the list is empty",
    "Handle names with spaces",
    "Speed up the first load",
    "Tidy the error messages",
    "Keep the selection after a refresh",
    "Read settings before the window opens",
    "Guard against a null owner",
    "Retry when the server is busy",
    "Add comments for the tricky parts",
    "Merge the fixes from the release branch",
    "Rename members to match the style guide",
    "Remove the old workaround",
    "Support long paths",
    "Fix the off-by-one in the range check",
    "Show progress while saving",
    "Split the large function in three",
};

const char* const kDetails[] = {
    "The loop read one element past the end when the\r\nserver returned no rows.",
    "Reported by the support team; reproduced with the\r\nsample database.",
    "Measured: 2.4 s before, 0.3 s after, on the test\r\nmachine with 10,000 entries.",
    "No change in behaviour; the tests still pass.",
    "Reviewed by carol.",
    "Needs the new server version to take effect.",
    "See the design notes in docs/design/storage.md.",
};

const char* const kCoreStems[] = {"Engine", "Document", "Settings", "Undo",    "Buffer", "Cache",   "Diff",
                                  "Event",  "Index",    "Merge",    "Path",    "Range",  "Schema",  "Session",
                                  "Stream", "Task",     "Timer",    "Token",   "Tree",   "Journal", "Lock",
                                  "Query",  "Record",   "Revision", "Snapshot"};
const char* const kUiStems[] = {"MainFrame", "Toolbar",     "StatusBar", "Splitter",  "TreePane",
                                "ListPane",  "Preview",     "Theme",     "Layout",    "Menu",
                                "Command",   "Accelerator", "DragDrop",  "Clipboard", "Tooltip"};
const char* const kDialogStems[] = {"AboutDialog",      "OptionsDialog",  "FindDialog",   "ReplaceDialog",
                                    "CompareDialog",    "ProgressDialog", "LoginDialog",  "HistoryDialog",
                                    "PropertiesDialog", "PrintDialog",    "ExportDialog", "ImportDialog"};
const char* const kNetStems[] = {"Client", "Connection", "Protocol", "Message",  "Packet",   "Socket",
                                 "Proxy",  "Auth",       "Retry",    "Transfer", "Compress", "Checksum"};
const char* const kUtilStems[] = {"Strings", "Files",  "Log",  "Memory",   "Unicode", "Time",
                                  "Hash",    "Random", "Args", "Registry", "Format",  "Errors"};

// Gives a file its versions, its local copy and perhaps a check-out.
void AddHistory(Node& file, Random& random, int count) {
    long long minutes = 21LL * 365 * 24 * 60 + random.Below(300) * 24 * 60 + 9 * 60 + random.Below(480);
    for (int number = 1; number <= count; ++number) {
        Version version;
        version.number = number;
        version.sortKey = minutes;
        version.date = FormatDate(minutes);
        version.author = random.Pick(kAuthors);
        if (number == 1) {
            version.comment = "Initial version";
        } else {
            version.comment = random.Pick(kSummaries);
            int details = random.Below(3);
            const int kinds = static_cast<int>(sizeof(kDetails) / sizeof(kDetails[0]));
            int first = random.Below(kinds);
            if (details > 0) version.comment += std::string("\r\n\r\n") + kDetails[first];
            if (details > 1)
                version.comment += std::string("\r\n") + kDetails[(first + 1 + random.Below(kinds - 1)) % kinds];
        }
        file.versions.push_back(version);
        minutes += (1 + random.Below(20)) * 24 * 60 + random.Below(600) - 300;
    }
    int roll = random.Below(10);
    if (roll < 6) {
        file.localVersion = count;
    } else if (roll < 9) {
        file.localVersion = std::max(1, count - 1 - random.Below(3));
    }
    if (file.localVersion > 0) file.localDate = file.versions[static_cast<size_t>(file.localVersion - 1)].date;
    if (random.Below(12) == 0) file.checkedOutTo = random.Pick(kAuthors);
}

void AddFiles(Repository& repository, int folder, Random& random, std::initializer_list<const char*> names) {
    for (const char* name : names)
        AddHistory(repository.At(repository.AddFile(folder, name)), random, 1 + random.Below(8));
}

template <size_t N>
void AddSourcePairs(Repository& repository, int folder, Random& random, const char* const (&stems)[N]) {
    for (const char* stem : stems) {
        std::string base = stem;
        AddHistory(repository.At(repository.AddFile(folder, base + ".cpp")), random, 1 + random.Below(12));
        AddHistory(repository.At(repository.AddFile(folder, base + ".h")), random, 1 + random.Below(6));
    }
}

// The big sample: a desktop application's sources with its documents and assets.
Repository MakeProjects() {
    Repository repository("Projects");
    Random random(7);
    int root = repository.Root();

    int src = repository.AddFolder(root, "src");
    int app = repository.AddFolder(src, "app");
    AddFiles(repository, app, random, {"main.cpp", "App.cpp", "App.h", "app.rc", "resource.h", "app.manifest"});
    int core = repository.AddFolder(src, "core");
    AddSourcePairs(repository, core, random, kCoreStems);
    int ui = repository.AddFolder(src, "ui");
    AddSourcePairs(repository, ui, random, kUiStems);
    AddSourcePairs(repository, repository.AddFolder(ui, "dialogs"), random, kDialogStems);
    AddSourcePairs(repository, repository.AddFolder(src, "net"), random, kNetStems);
    AddSourcePairs(repository, repository.AddFolder(src, "util"), random, kUtilStems);

    int tests = repository.AddFolder(root, "tests");
    for (const char* stem : kCoreStems) {
        std::string name = std::string("test_") + stem + ".cpp";
        AddHistory(repository.At(repository.AddFile(tests, name)), random, 1 + random.Below(5));
    }
    AddFiles(repository, repository.AddFolder(tests, "data"), random,
             {"empty.xml", "large.xml", "unicode.txt", "settings.ini", "broken.xml", "history.xml", "merge-a.txt",
              "merge-b.txt", "merge-expected.txt", "paths.txt"});

    int docs = repository.AddFolder(root, "docs");
    AddFiles(repository, repository.AddFolder(docs, "design"), random,
             {"overview.md", "storage.md", "protocol.md", "undo.md", "threads.md", "diagram.png"});
    AddFiles(repository, repository.AddFolder(docs, "manual"), random,
             {"index.html", "getting-started.html", "sign-in.html", "history.html", "style.css", "logo.png"});
    AddFiles(repository, docs, random, {"CHANGES.txt", "LICENSE.txt", "release-notes.doc"});

    int assets = repository.AddFolder(root, "assets");
    AddFiles(
        repository, repository.AddFolder(assets, "icons"), random,
        {"app.ico", "document.ico", "folder.ico", "toolbar.bmp", "toolbar-disabled.bmp", "splash.bmp", "status.bmp"});
    AddFiles(repository, repository.AddFolder(assets, "sounds"), random, {"click.wav", "done.wav", "error.wav"});
    AddFiles(repository, repository.AddFolder(assets, "images"), random,
             {"banner.png", "logo.png", "screenshot-1.png", "screenshot-2.png", "background.jpg"});

    AddFiles(repository, repository.AddFolder(root, "build"), random,
             {"Makefile", "build.bat", "release.bat", "version.ini", "setup.ini", "installer.nsi"});
    AddFiles(repository, repository.AddFolder(root, "tools"), random,
             {"format.bat", "count-lines.bat", "make-icons.bat", "tools.txt", "upload.ini"});
    AddFiles(repository, root, random, {"README.md", "Kessa.ini", "notes.txt"});

    // The file the tour and the README talk about: a long history with two purged
    // versions, checked out by bob, held locally two versions behind.
    Node& engine = repository.At(repository.Find("$/src/core/Engine.cpp"));
    engine.versions.clear();
    AddHistory(engine, random, 36);
    engine.versions[0].purged = engine.versions[1].purged = true;
    engine.localVersion = 34;
    engine.localDate = engine.versions[33].date;
    engine.checkedOutTo = "bob";
    Node& header = repository.At(repository.Find("$/src/core/Engine.h"));
    header.checkedOutTo.clear();
    header.localVersion = static_cast<int>(header.versions.size());
    header.localDate = header.versions.back().date;

    repository.SortChildren();
    return repository;
}

// Smaller databases: a few folders of the given kinds of files.
Repository MakeSmall(const std::string& name, unsigned seed, std::initializer_list<const char*> folders,
                     std::initializer_list<const char*> files) {
    Repository repository(name);
    Random random(seed);
    for (const char* folder : folders) {
        int id = repository.AddFolder(repository.Root(), folder);
        for (const char* file : files) {
            if (random.Below(3) == 0) continue;
            AddHistory(repository.At(repository.AddFile(id, std::string(folder) + "-" + file)), random,
                       1 + random.Below(6));
        }
    }
    AddFiles(repository, repository.Root(), random, {"README.md"});
    repository.SortChildren();
    return repository;
}

}  // namespace

// --- Repository -----------------------------------------------------------------

Repository::Repository(const std::string& rootName) {
    Node root;
    root.id = 0;
    root.name = rootName;
    root.folder = true;
    m_nodes.push_back(root);
}

int Repository::Add(int parent, const std::string& name, bool folder) {
    Node node;
    node.id = static_cast<int>(m_nodes.size());
    node.parent = parent;
    node.name = name;
    node.folder = folder;
    m_nodes.push_back(node);
    At(parent).children.push_back(node.id);
    return node.id;
}

int Repository::AddFolder(int parent, const std::string& name) { return Add(parent, name, true); }
int Repository::AddFile(int parent, const std::string& name) { return Add(parent, name, false); }

void Repository::SortChildren() {
    for (Node& node : m_nodes) {
        std::stable_sort(node.children.begin(), node.children.end(), [this](int a, int b) {
            const Node& x = At(a);
            const Node& y = At(b);
            if (x.folder != y.folder) return x.folder;
            return _stricmp(x.name.c_str(), y.name.c_str()) < 0;
        });
    }
}

std::string Repository::PathOf(int id) const {
    std::string path;
    for (int node : Lineage(id)) {
        if (node == Root()) continue;
        path += "/" + At(node).name;
    }
    return path.empty() ? "$/" : "$" + path;
}

int Repository::Find(const std::string& path) const {
    if (path.compare(0, 2, "$/") != 0) return -1;
    int node = Root();
    size_t start = 2;
    while (start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(start, end - start);
        int next = -1;
        for (int child : At(node).children) {
            if (SameText(At(child).name, part)) {
                next = child;
                break;
            }
        }
        if (next < 0) return -1;
        node = next;
        start = end + 1;
    }
    return node;
}

std::vector<int> Repository::Lineage(int id) const {
    std::vector<int> chain;
    for (int node = id; node >= 0; node = At(node).parent) chain.push_back(node);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

std::vector<int> Repository::FilesUnder(int folder) const {
    std::vector<int> files;
    for (int child : At(folder).children) {
        if (At(child).folder) {
            std::vector<int> below = FilesUnder(child);
            files.insert(files.end(), below.begin(), below.end());
        } else {
            files.push_back(child);
        }
    }
    return files;
}

// --- Servers ------------------------------------------------------------------------

Database* Server::FindDatabase(const std::string& wanted) {
    for (Database& database : databases)
        if (SameText(database.name, wanted)) return &database;
    return nullptr;
}

bool Server::Accepts(const std::string& user, const std::string& password) const {
    for (const auto& known : passwords)
        if (SameText(known.first, user)) return known.second == password;
    return false;
}

SampleServers::SampleServers() {
    Server alpha;
    alpha.name = "alpha.kessa.example";
    alpha.passwords = {{"alice", "alpine"}, {"bob", "builder"}, {"carol", "castle"}};
    alpha.databases.push_back({"Projects", "", MakeProjects()});
    alpha.databases.push_back({"Tools", "",
                               MakeSmall("Tools", 11, {"scripts", "setup", "templates"},
                                         {"build.bat", "clean.bat", "deploy.ini", "readme.txt", "config.xml"})});
    alpha.databases.push_back(
        {"Archive", "", MakeSmall("Archive", 13, {"2019", "2020", "2021"}, {"release.zip", "notes.txt", "plan.doc"})});
    m_servers.push_back(alpha);

    // The web team's server sets everyone's working folder for its Web database.
    Server beta;
    beta.name = "beta.kessa.example";
    beta.passwords = {{"alice", "alpine"}, {"dave", "delta"}};
    beta.databases.push_back({"Web", "C:\\Kessa\\Web",
                              MakeSmall("Web", 17, {"pages", "styles", "scripts"},
                                        {"index.html", "about.html", "site.css", "menu.js", "logo.png"})});
    beta.databases.push_back(
        {"Docs", "",
         MakeSmall("Docs", 19, {"guides", "reference"}, {"intro.md", "install.md", "faq.md", "terms.txt"})});
    m_servers.push_back(beta);

    // Listed, but never answers: its database listing fails.
    Server gamma;
    gamma.name = "gamma.kessa.example";
    gamma.reachable = false;
    m_servers.push_back(gamma);
}

std::vector<std::string> SampleServers::ServerNames() const {
    std::vector<std::string> names;
    for (const Server& server : m_servers) names.push_back(server.name);
    return names;
}

Server* SampleServers::FindServer(const std::string& name) {
    for (Server& server : m_servers)
        if (SameText(server.name, name)) return &server;
    return nullptr;
}

// --- Helpers ------------------------------------------------------------------------

bool MatchesPatterns(const std::string& name, const char* patterns) {
    if (patterns == nullptr || *patterns == '\0') return true;
    const char* start = patterns;
    while (true) {
        const char* end = std::strchr(start, ';');
        size_t length = end != nullptr ? static_cast<size_t>(end - start) : std::strlen(start);
        // "*.*" means every file, also those without an extension.
        if ((length == 3 && std::strncmp(start, "*.*", 3) == 0) || MatchOne(name.c_str(), start, length)) return true;
        if (end == nullptr) return false;
        start = end + 1;
    }
}

std::string FormatDate(long long minutes) {
    long long days = minutes / (24 * 60);
    int minuteOfDay = static_cast<int>(minutes % (24 * 60));
    // Civil date from a day count (proleptic Gregorian): counted from 0000-03-01,
    // the start of a 400-year cycle, leap days fall at the end of each year.
    long long shifted = days + 730425;
    long long era = shifted / 146097;
    long long dayOfEra = shifted - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long monthIndex = (5 * dayOfYear + 2) / 153;
    int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    int year = static_cast<int>(era * 400 + yearOfEra + (month <= 2 ? 1 : 0));
    int hour = minuteOfDay / 60;
    char text[40];
    std::snprintf(text, sizeof(text), "%d/%d/%d %d:%02d %s", month, day, year, hour % 12 == 0 ? 12 : hour % 12,
                  minuteOfDay % 60, hour < 12 ? "AM" : "PM");
    return text;
}

std::string LocalPathFor(const std::string& folder, const std::string& kessaPath) {
    std::string path = folder;
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    // $/src/core/Engine.cpp becomes \src\core\Engine.cpp
    std::string relative = kessaPath.empty() || kessaPath[0] != '$' ? kessaPath : kessaPath.substr(1);
    for (char& c : relative)
        if (c == '/') c = '\\';
    if (!relative.empty() && relative[0] != '\\') path += '\\';
    return path + relative;
}

}  // namespace demo
