// The demo's client logic: one method per dialog, each the code a host writes to
// fill a record, run the dialog through the service and take the answers back.
// The main window's buttons and the tour call the same methods.
#ifndef TAVROKESSA_DEMO_DEMOHOST_H
#define TAVROKESSA_DEMO_DEMOHOST_H

#include <tavrokessaui.h>

#include <map>
#include <string>
#include <vector>

#include "SampleServers.h"
#include "Transfer.h"

namespace demo {

// The host settings object: the library asks it for colours and for "topmost".
class HostSettings final : public ITavroKessaUIHost {
public:
    COLORREF GetColor(int index) override { return GetSysColor(index); }
    unsigned int GetDisplayFlags() override { return m_onTop ? TAVROKESSA_DISPLAY_TOPMOST : 0u; }
    void SetOnTop(bool onTop) { m_onTop = onTop; }
    bool OnTop() const { return m_onTop; }

private:
    bool m_onTop = false;
};

// What a real client keeps between sessions (in the registry, say).
struct SavedSettings {
    std::string user = "alice";
    std::string password;  // kept only with auto-login
    std::string server = "alpha.kessa.example";
    std::string database = "Tools";
    bool autoLogin = false;
    std::vector<std::string> recentDatabases = {"Tools"};
    std::map<std::string, std::string> workingFolders;  // "server/database" -> folder
};

enum class Notice { Information, Warning, Error, Question, YesNo };

class DemoHost {
public:
    explicit DemoHost(ITavroKessaUI& ui);
    DemoHost(const DemoHost&) = delete;
    DemoHost& operator=(const DemoHost&) = delete;

    // Each returns what the service operation returned.
    INT_PTR SignIn(HWND owner);
    INT_PTR EditOptions(HWND owner);
    INT_PTR Explore(HWND owner);
    INT_PTR ShowHistory(HWND owner, int file);
    INT_PTR ShowProperties(HWND owner, int file);
    TransferOutcome GetLatest(HWND owner, int folder);
    INT_PTR Tell(HWND owner, Notice notice);
    INT_PTR ChooseLocalFolder(HWND owner);

    // Signs in first when nobody is; false when the user gave up.
    bool EnsureSignedIn(HWND owner);

    bool SignedIn() const { return m_database != nullptr; }
    Server* CurrentServer() const { return m_server; }
    Database* CurrentDatabase() const { return m_database; }
    Repository* CurrentRepository() const { return m_database != nullptr ? &m_database->repository : nullptr; }
    const SavedSettings& Settings() const { return m_settings; }
    std::string WorkingFolder() const;
    // The local path a repository file is fetched to.
    std::string LocalPathOf(int file) const;
    // The file the history and properties buttons show: the first one opened last.
    int CurrentFile() const;
    const std::vector<int>& Chosen() const { return m_chosen; }
    int ExploreFolder() const { return m_exploreFolder; }
    const std::string& LocalFolder() const { return m_localFolder; }
    HostSettings& Display() { return m_display; }

    // For the status line: the last call and what it returned.
    const std::string& LastCall() const { return m_lastCall; }
    // For the records panel: what each dialog's record held afterwards, one per line.
    std::string Records() const;

private:
    void Note(const std::string& call, INT_PTR result, const std::string& meaning);
    void Record(const char* dialog, const std::string& content);

    ITavroKessaUI& m_ui;
    HostSettings m_display;
    SampleServers m_servers;
    std::vector<std::string> m_serverNames;
    SavedSettings m_settings;
    Transfer m_transfer;

    Server* m_server = nullptr;
    Database* m_database = nullptr;
    int m_exploreFolder = 0;
    std::vector<int> m_chosen;
    std::string m_localFolder;

    std::string m_lastCall = "Nothing shown yet.";
    std::vector<std::pair<std::string, std::string>> m_records;
};

}  // namespace demo

#endif
