#include "DemoHost.h"

#include <memory>

#include "ExploreEvents.h"
#include "HistoryEvents.h"
#include "SigninEvents.h"

namespace demo {

namespace {

const char kServerVersion[] = "7.2";
const char kCaption[] = "Kessa";

std::string OnOff(bool value) { return value ? "on" : "off"; }
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

const char* AnswerName(INT_PTR answer) {
    switch (answer) {
    case TAVROKESSA_ANSWER_OK:
        return "OK";
    case TAVROKESSA_ANSWER_YES:
        return "Yes";
    case TAVROKESSA_ANSWER_NO:
        return "No";
    default:
        return "Cancel";
    }
}

}  // namespace

DemoHost::DemoHost(ITavroKessaUI& ui) : m_ui(ui), m_serverNames(m_servers.ServerNames()), m_transfer(ui) {
    m_ui.SetHost(&m_display);
}

// --- Sign-in --------------------------------------------------------------------

INT_PTR DemoHost::SignIn(HWND owner) {
    TavroKessaSigninDialogParams signin;
    signin.SetKessaVersion(kServerVersion);
    signin.SetUser(m_settings.user.c_str());
    signin.SetPassword(m_settings.password.c_str());
    signin.SetServer(m_settings.server.c_str());
    signin.SetKessa(m_settings.database.c_str());
    signin.SetAutoLogin(m_settings.autoLogin);
    signin.SetServerList(&m_serverNames);  // borrowed: must outlive the dialog
    signin.SetKessaList(&m_settings.recentDatabases);
    SigninEvents events(m_ui, m_servers);
    signin.SetITavroKessaSigninDialogEvents(&events);

    INT_PTR result = m_ui.ShowSigninDialog(owner, &signin);

    // OnLogin accepted the entries before the dialog could close with 1.
    if (result == 1 && events.SignedInDatabase() != nullptr) {
        m_server = events.SignedInServer();
        m_database = events.SignedInDatabase();
        m_exploreFolder = m_database->repository.Root();
        m_chosen.clear();
        m_settings.user = signin.GetUser();
        m_settings.server = m_server->name;
        m_settings.database = m_database->name;
        m_settings.autoLogin = signin.GetAutoLogin();
        m_settings.password = m_settings.autoLogin ? signin.GetPassword() : "";
        bool known = false;
        for (const std::string& name : m_settings.recentDatabases) known = known || name == m_database->name;
        if (!known) m_settings.recentDatabases.push_back(m_database->name);
    }
    // Cancel writes the entries back too; a client that wanted could keep them.
    Record("Sign-in", "user " + Quoted(signin.GetUser()) + ", server " + Quoted(signin.GetServer()) + ", database " +
                          Quoted(signin.GetKessa()) + ", auto-login " + OnOff(signin.GetAutoLogin()) + ", refused " +
                          std::to_string(events.Refusals()) + "x");
    Note("ShowSigninDialog", result,
         result == 1 && SignedIn() ? "signed in to " + m_server->name + ", database " + m_database->name
         : result == 0             ? "cancelled"
                                   : "the dialog could not be shown");
    return result;
}

bool DemoHost::EnsureSignedIn(HWND owner) {
    if (!SignedIn()) SignIn(owner);
    return SignedIn();
}

// --- Options --------------------------------------------------------------------

std::string DemoHost::WorkingFolder() const {
    if (m_database != nullptr && !m_database->enforcedFolder.empty()) return m_database->enforcedFolder;
    auto found = m_settings.workingFolders.find(m_settings.server + "/" + m_settings.database);
    if (found != m_settings.workingFolders.end()) return found->second;
    return "C:\\Kessa\\" + m_settings.database;
}

INT_PTR DemoHost::EditOptions(HWND owner) {
    bool enforced = m_database != nullptr && !m_database->enforcedFolder.empty();
    TavroKessaOptionsDialogParams options;
    options.SetWorkingFolder(WorkingFolder().c_str());
    options.SetEnforceWorkingFolder(enforced);
    options.SetAutoLogin(m_settings.autoLogin);

    INT_PTR result = m_ui.ShowOptionsDialog(owner, &options);

    if (result == 1) {
        if (!enforced)
            m_settings.workingFolders[m_settings.server + "/" + m_settings.database] = options.GetWorkingFolder();
        m_settings.autoLogin = options.GetAutoLogin();
        if (!m_settings.autoLogin) m_settings.password.clear();
    }
    Record("Options", "working folder " + Quoted(options.GetWorkingFolder()) + ", enforced " + OnOff(enforced) +
                          ", auto-login " + OnOff(options.GetAutoLogin()));
    Note("ShowOptionsDialog", result, result == 1 ? "saved" : result == 0 ? "cancelled" : "not shown");
    return result;
}

// --- Explore --------------------------------------------------------------------

INT_PTR DemoHost::Explore(HWND owner) {
    if (!EnsureSignedIn(owner)) return 0;
    const Repository& repository = m_database->repository;

    TavroKessaExploreDialogParams explore;
    explore.SetTitle("Open from Kessa");
    explore.SetMultipleSelections(true);
    explore.AddFilter("All files (*.*)", "*.*");
    explore.AddFilter("C++ files (*.cpp;*.h)", "*.cpp;*.h");
    explore.AddFilter("Documents (*.md;*.txt;*.html)", "*.md;*.txt;*.html;*.doc");
    explore.AddFilter("Pictures (*.bmp;*.ico;*.png)", "*.bmp;*.ico;*.png;*.jpg");
    TavroKessaExploreDialogEntry root;
    root.SetDisplayName(repository.At(repository.Root()).name.c_str());
    root.SetFolder(true);
    root.SetIndex(repository.Root());
    explore.SetRootEntry(&root);
    ExploreEvents events(repository, m_exploreFolder);
    explore.SetITavroKessaExploreDialogEvents(&events);

    INT_PTR result = m_ui.ShowExploreDialog(owner, &explore);

    m_exploreFolder = events.Folder();  // the next explore starts where this one ended
    std::string chosen;
    if (result == 1) {
        m_chosen.clear();
        for (int index : explore.GetSelections()) {
            if (!repository.Contains(index) || repository.At(index).folder) continue;
            m_chosen.push_back(index);
            chosen += (chosen.empty() ? "" : ", ") + repository.At(index).name;
        }
    }
    Record("Explore", std::to_string(explore.GetSelections().size()) + " selection(s)" +
                          (chosen.empty() ? "" : ": " + chosen) + "; last folder " +
                          repository.PathOf(m_exploreFolder));
    Note("ShowExploreDialog", result,
         result == 1   ? std::to_string(m_chosen.size()) + " file(s) chosen"
         : result == 0 ? "cancelled"
                       : "not shown");
    return result;
}

// --- History and properties -----------------------------------------------------

int DemoHost::CurrentFile() const {
    if (!m_chosen.empty()) return m_chosen.front();
    Repository* repository = CurrentRepository();
    if (repository == nullptr) return -1;
    int engine = repository->Find("$/src/core/Engine.cpp");
    if (engine >= 0) return engine;
    std::vector<int> files = repository->FilesUnder(repository->Root());
    return files.empty() ? -1 : files.front();
}

std::string DemoHost::LocalPathOf(int file) const {
    return LocalPathFor(WorkingFolder(), CurrentRepository()->PathOf(file));
}

INT_PTR DemoHost::ShowHistory(HWND owner, int file) {
    if (!EnsureSignedIn(owner) || file < 0) return 0;
    Node& node = m_database->repository.At(file);

    TavroKessaHistoryDialogParams history;
    history.SetKessaPath(m_database->repository.PathOf(file).c_str());
    history.SetLocalVer(node.localVersion);
    std::vector<std::unique_ptr<TavroKessaFileHistoryEntry>> rows;  // borrowed by the record
    for (size_t i = node.versions.size(); i-- > 0;) {               // newest first
        const Version& version = node.versions[i];
        auto row = std::make_unique<TavroKessaFileHistoryEntry>();
        row->SetEntry(static_cast<int>(i));
        row->SetLatestVer(version.number);
        row->SetLastModDateLatest(version.date.c_str());
        row->SetLastModDateLatestSortVal(version.sortKey);
        row->SetUserName(version.author.c_str());
        row->SetComment(version.comment.c_str());
        history.AddEntry(row.get());
        rows.push_back(std::move(row));
    }
    HistoryEvents events(m_transfer, node, LocalPathOf(file));
    history.SetITavroKessaHistoryDialogEvents(&events);

    INT_PTR result = m_ui.ShowHistoryDialog(owner, &history);

    Record("History", node.name + ": " + std::to_string(history.NumEntries()) + " versions, local version now " +
                          std::to_string(node.localVersion) +
                          (events.Fetched() != 0 ? " (fetched in the dialog)" : ""));
    Note("ShowHistoryDialog", result, result == 1 ? "closed" : "not shown");
    return result;
}

INT_PTR DemoHost::ShowProperties(HWND owner, int file) {
    if (!EnsureSignedIn(owner) || file < 0) return 0;
    const Node& node = m_database->repository.At(file);
    const Version* latest = node.Latest();

    TavroKessaPropertyDialogParams properties;
    properties.SetKessaPath(m_database->repository.PathOf(file).c_str());
    properties.SetLocalPath(LocalPathOf(file).c_str());
    properties.SetLocalVer(node.localVersion);
    properties.SetLatestVer(latest != nullptr ? latest->number : 0);
    properties.SetLastModDateLocal(node.localDate.c_str());
    properties.SetLastModDateLatest(latest != nullptr ? latest->date.c_str() : "");
    properties.SetCheckedOut(!node.checkedOutTo.empty());
    properties.SetUserName(node.checkedOutTo.c_str());

    INT_PTR result = m_ui.ShowPropertyDialog(owner, &properties);

    Record("Properties", node.name + ": local " + std::to_string(properties.GetLocalVer()) + ", latest " +
                             std::to_string(properties.GetLatestVer()) +
                             (properties.GetCheckedOut() ? ", checked out to " + std::string(properties.GetUserNameA())
                                                         : ", not checked out"));
    Note("ShowPropertyDialog", result, result == 1 ? "closed" : "not shown");
    return result;
}

// --- Transfer -------------------------------------------------------------------

TransferOutcome DemoHost::GetLatest(HWND owner, int folder) {
    TransferOutcome outcome;
    if (!EnsureSignedIn(owner)) return outcome;
    Repository& repository = m_database->repository;
    std::vector<int> stale;
    for (int file : repository.FilesUnder(folder)) {
        const Node& node = repository.At(file);
        if (node.Latest() != nullptr && node.localVersion != node.Latest()->number) stale.push_back(file);
    }
    if (stale.empty()) {
        Tell(owner, Notice::Information);
        return outcome;
    }
    std::vector<std::string> paths;
    for (int file : stale) paths.push_back(LocalPathOf(file));
    std::string message =
        "Getting the latest versions of " + std::to_string(stale.size()) + " files from " + m_server->name + "...";

    outcome = m_transfer.Run(owner, "Get Latest", message, paths, [&](size_t i) {
        Node& node = repository.At(stale[i]);
        node.localVersion = node.Latest()->number;
        node.localDate = node.Latest()->date;
    });

    Record("Progress", "Get Latest " + repository.PathOf(folder) + ": " + std::to_string(outcome.arrived) + " of " +
                           std::to_string(outcome.total) + " files" + (outcome.cancelled ? ", cancelled" : ""));
    Note("OpenProgressDialog", outcome.shown ? 1 : 0,
         !outcome.shown      ? "the window could not be opened"
         : outcome.cancelled ? "cancelled after " + std::to_string(outcome.arrived) + " files"
                             : "all " + std::to_string(outcome.total) + " files fetched");
    return outcome;
}

// --- Message boxes and the folder picker ----------------------------------------

INT_PTR DemoHost::Tell(HWND owner, Notice notice) {
    struct Kind {
        const char* name;
        const char* text;
        unsigned int flags;
    };
    static const Kind kKinds[] = {
        {"Information", "The working folder is up to date.", TAVROKESSA_MSG_INFORMATION},
        {"Warning", "3 of the files are checked out to other users.\nGet them anyway?",
         TAVROKESSA_MSG_WARNING | TAVROKESSA_MSG_OKCANCEL},
        {"Error", "The server did not answer in time.\nThe transfer was stopped.", TAVROKESSA_MSG_ERROR},
        {"Question", "Engine.cpp has changed.\nCheck in your changes before getting the latest version?",
         TAVROKESSA_MSG_QUESTION | TAVROKESSA_MSG_YESNOCANCEL},
        {"Yes/No", "Undo the check-out of Engine.cpp and lose your changes?",
         TAVROKESSA_MSG_WARNING | TAVROKESSA_MSG_YESNO},
    };
    const Kind& kind = kKinds[static_cast<int>(notice)];
    INT_PTR answer = m_ui.ShowMessage(owner, kind.text, kCaption, kind.flags);
    Note(std::string("ShowMessage (") + kind.name + ")", answer, AnswerName(answer));
    return answer;
}

INT_PTR DemoHost::ChooseLocalFolder(HWND owner) {
    char path[MAX_PATH] = "";  // written only when the user picks a folder
    INT_PTR result = m_ui.BrowseForFolder(owner, "Choose the folder for exported files:", path);
    if (result == 1) m_localFolder = path;
    Record("Folder picker", m_localFolder.empty() ? "no folder chosen" : Quoted(m_localFolder));
    Note("BrowseForFolder", result, result == 1 ? path : "cancelled");
    return result;
}

// --- Status -----------------------------------------------------------------------

void DemoHost::Note(const std::string& call, INT_PTR result, const std::string& meaning) {
    m_lastCall = call + " returned " + std::to_string(static_cast<long long>(result)) + ": " + meaning + ".";
}

void DemoHost::Record(const char* dialog, const std::string& content) {
    for (auto& record : m_records) {
        if (record.first == dialog) {
            record.second = content;
            return;
        }
    }
    m_records.emplace_back(dialog, content);
}

std::string DemoHost::Records() const {
    std::string text = "Session: ";
    text += SignedIn() ? m_settings.user + " on " + m_server->name + ", database " + m_database->name
                       : std::string("not signed in");
    text += "\r\nWorking folder: " + WorkingFolder();
    for (const auto& record : m_records) text += "\r\n" + record.first + " record: " + record.second;
    return text;
}

}  // namespace demo
