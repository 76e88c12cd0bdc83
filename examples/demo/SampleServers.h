// An in-memory stand-in for the Kessa servers a real client would talk to: servers
// with databases and users, each database a repository tree of folders and files
// with their versions and check-out states. Everything the demo's dialogs show
// comes from here; nothing is read from or written to disk.
#ifndef TAVROKESSA_DEMO_SAMPLESERVERS_H
#define TAVROKESSA_DEMO_SAMPLESERVERS_H

#include <map>
#include <string>
#include <vector>

namespace demo {

struct Version {
    int number = 0;
    std::string date;       // as the client shows it
    long long sortKey = 0;  // minutes since 2000-01-01, orders the dates
    std::string author;
    std::string comment;  // may span several lines (CR LF)
    bool purged = false;  // the server no longer holds the content
};

struct Node {
    int id = 0;
    int parent = -1;  // -1 for the root
    std::string name;
    bool folder = false;
    std::vector<int> children;  // folders first, then files, each by name

    // Files only.
    std::vector<Version> versions;  // oldest first
    int localVersion = 0;           // 0: not in the working folder yet
    std::string localDate;
    std::string checkedOutTo;  // empty: nobody has it checked out

    const Version* Latest() const { return versions.empty() ? nullptr : &versions.back(); }
};

// One database's tree. Node ids are positions in one table; the root is 0.
class Repository {
public:
    explicit Repository(const std::string& rootName);

    int Root() const { return 0; }
    const Node& At(int id) const { return m_nodes.at(static_cast<size_t>(id)); }
    Node& At(int id) { return m_nodes.at(static_cast<size_t>(id)); }
    bool Contains(int id) const { return id >= 0 && static_cast<size_t>(id) < m_nodes.size(); }
    size_t Size() const { return m_nodes.size(); }

    int AddFolder(int parent, const std::string& name);
    int AddFile(int parent, const std::string& name);
    // Keeps every folder's children in the order the explorer lists them.
    void SortChildren();

    // "$/src/core/Engine.cpp" for a file, "$/src/core" for a folder, "$/" for the root.
    std::string PathOf(int id) const;
    // The node at such a path, or -1.
    int Find(const std::string& path) const;
    // The chain of folders from the root down to `id`, both included.
    std::vector<int> Lineage(int id) const;
    // Every file below `folder`, depth first.
    std::vector<int> FilesUnder(int folder) const;

private:
    int Add(int parent, const std::string& name, bool folder);
    std::vector<Node> m_nodes;
};

struct Database {
    std::string name;
    std::string enforcedFolder;  // non-empty: the server sets the working folder
    Repository repository;
};

struct Server {
    std::string name;
    bool reachable = true;
    std::vector<Database> databases;
    std::map<std::string, std::string> passwords;  // user name -> password

    Database* FindDatabase(const std::string& name);
    bool Accepts(const std::string& user, const std::string& password) const;
};

class SampleServers {
public:
    // The same sample content every time, so the tour can rely on it.
    SampleServers();

    std::vector<std::string> ServerNames() const;
    // Names compare without regard to case, as users type them.
    Server* FindServer(const std::string& name);

private:
    std::vector<Server> m_servers;
};

// True when `name` matches one of the `;`-separated wildcard patterns ("*.cpp;*.h"),
// compared without regard to case. No patterns (null or empty) match everything.
bool MatchesPatterns(const std::string& name, const char* patterns);

// "3/7/2023 4:02 PM" for minutes since 2000-01-01.
std::string FormatDate(long long minutes);

// Where a repository file ("$/src/core/Engine.cpp") is kept below a local working
// folder (C:\Kessa\Web, or a drive's root such as C:\ ): one separator between them.
std::string LocalPathFor(const std::string& folder, const std::string& kessaPath);

}  // namespace demo

#endif
