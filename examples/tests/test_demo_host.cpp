// The demo host's own logic, without windows: the sample servers, the filter
// patterns, and each event handler driven through stand-ins for the dialog and
// the service that record what the handler asked of them.
#include <gtest/gtest.h>
#include <tavrokessaui.h>

#include <cstring>
#include <string>
#include <vector>

#include "../demo/ExploreEvents.h"
#include "../demo/HistoryEvents.h"
#include "../demo/SampleServers.h"
#include "../demo/SigninEvents.h"
#include "../demo/Transfer.h"

namespace {

using demo::Repository;

// A service that shows nothing: message boxes are recorded and answered with OK,
// and the progress window is a record of updates that can press Cancel.
class FakeService final : public ITavroKessaUI {
public:
    struct Message {
        std::string text;
        unsigned int flags;
    };

    void SetHost(ITavroKessaUIHost*) override {}
    INT_PTR ShowMessage(HWND, const char* text, const char*, unsigned int flags) override {
        messages.push_back({text, flags});
        return TAVROKESSA_ANSWER_OK;
    }
    INT_PTR ShowOptionsDialog(HWND, TavroKessaOptionsDialogParams*) override { return -1; }
    INT_PTR ShowSigninDialog(HWND, TavroKessaSigninDialogParams*) override { return -1; }
    INT_PTR BrowseForFolder(HWND, const char*, char*) override { return 0; }
    INT_PTR ShowPropertyDialog(HWND, TavroKessaPropertyDialogParams*) override { return -1; }
    INT_PTR ShowHistoryDialog(HWND, TavroKessaHistoryDialogParams*) override { return -1; }
    INT_PTR ShowExploreDialog(HWND, TavroKessaExploreDialogParams*) override { return -1; }
    INT_PTR OpenProgressDialog(HWND, TavroKessaProgressDialogParams* record) override {
        open = true;
        caption = record->GetCaption();
        return 1;
    }
    INT_PTR UpdateProgressDialog(TavroKessaProgressDialogParams* record) override {
        if (!open) return 0;
        progress.push_back(record->GetProgress());
        files.push_back(record->GetFile());
        if (static_cast<int>(progress.size()) == cancelAtUpdate)
            record->GetITavroKessaProgressDialogEvents()->OnCancel(record);
        return 1;
    }
    INT_PTR CloseProgressDialog() override {
        bool was = open;
        open = false;
        return was ? 1 : 0;
    }

    std::vector<Message> messages;
    bool open = false;
    std::string caption;
    std::vector<int> progress;
    std::vector<std::string> files;
    int cancelAtUpdate = 0;
};

// The explore dialog as the host sees it: a list, a path and an end result.
class FakeExplore final : public ITavroKessaExploreDialog {
public:
    explicit FakeExplore(ITavroKessaExploreDialogEvents& events) : m_events(events) {}

    bool AddListEntry(TavroKessaExploreDialogEntry* entry) override {
        names.push_back(entry->GetDisplayName());
        indices.push_back(entry->GetIndex());
        return true;
    }
    bool ClearEntries() override {
        names.clear();
        indices.clear();
        return true;
    }
    bool AddLookInEntry(TavroKessaExploreDialogEntry* entry, bool select) override {
        path.push_back(entry->GetDisplayName());
        if (select) selectedLevel = static_cast<int>(path.size()) - 1;
        return true;
    }
    bool ClearLookIn() override {
        // As the real dialog does: the back button asks the host while the path is rebuilt.
        path.clear();
        backEnabled = m_events.CanGoToLastFolder(this);
        return true;
    }
    bool EndExplore(INT_PTR value) override {
        ended = value;
        return true;
    }
    const char* GetCurrentFilterExtensions() override { return filter; }
    bool Redraw() override { return true; }

    int IndexOf(const std::string& name) const {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return indices[i];
        return -1;
    }

    std::vector<std::string> names;
    std::vector<int> indices;
    std::vector<std::string> path;
    int selectedLevel = -1;
    bool backEnabled = false;
    INT_PTR ended = -1;
    const char* filter = "*.*";

private:
    ITavroKessaExploreDialogEvents& m_events;
};

Repository& Projects(demo::SampleServers& servers) {
    return servers.FindServer("alpha.kessa.example")->FindDatabase("Projects")->repository;
}

// --- The model ---------------------------------------------------------------------

TEST(DemoModel, PatternsMatchNamesWithoutRegardToCase) {
    EXPECT_TRUE(demo::MatchesPatterns("Engine.cpp", "*.cpp;*.h"));
    EXPECT_TRUE(demo::MatchesPatterns("ENGINE.H", "*.cpp;*.h"));
    EXPECT_FALSE(demo::MatchesPatterns("Engine.hpp", "*.cpp;*.h"));
    EXPECT_FALSE(demo::MatchesPatterns("Engine.cpp.bak", "*.cpp;*.h"));
    EXPECT_TRUE(demo::MatchesPatterns("test_Lock.cpp", "test_????.cpp"));
    EXPECT_FALSE(demo::MatchesPatterns("test_Locks.cpp", "test_????.cpp"));
    EXPECT_TRUE(demo::MatchesPatterns("a.b.c", "*.c"));
    // "*.*" means every file, also one without an extension; no patterns match all.
    EXPECT_TRUE(demo::MatchesPatterns("Makefile", "*.*"));
    EXPECT_TRUE(demo::MatchesPatterns("Makefile", nullptr));
    EXPECT_TRUE(demo::MatchesPatterns("Makefile", ""));
    EXPECT_FALSE(demo::MatchesPatterns("Makefile", "*.txt;;*.md"));
}

TEST(DemoModel, DatesAcrossLeapDaysAndNoon) {
    const long long day = 24 * 60;
    EXPECT_EQ(demo::FormatDate(0), "1/1/2000 12:00 AM");
    EXPECT_EQ(demo::FormatDate(59 * day + 13 * 60 + 5), "2/29/2000 1:05 PM");
    EXPECT_EQ(demo::FormatDate(60 * day + 12 * 60), "3/1/2000 12:00 PM");
    EXPECT_EQ(demo::FormatDate(425 * day), "3/1/2001 12:00 AM");
    EXPECT_EQ(demo::FormatDate(9131 * day + 23 * 60 + 59), "12/31/2024 11:59 PM");
}

TEST(DemoModel, LocalPathsHaveOneSeparatorAfterTheFolder) {
    EXPECT_EQ(demo::LocalPathFor("C:\\Kessa\\Web", "$/src/core/Engine.cpp"), "C:\\Kessa\\Web\\src\\core\\Engine.cpp");
    EXPECT_EQ(demo::LocalPathFor("C:\\", "$/src/core/Engine.cpp"), "C:\\src\\core\\Engine.cpp");
    EXPECT_EQ(demo::LocalPathFor("D:\\Work\\", "$/README.md"), "D:\\Work\\README.md");
}

TEST(DemoModel, SampleRepositoryPathsAndOrder) {
    demo::SampleServers servers;
    Repository& repository = Projects(servers);
    EXPECT_GT(repository.Size(), 250u);  // a few hundred entries
    for (size_t id = 0; id < repository.Size(); ++id)
        ASSERT_EQ(repository.Find(repository.PathOf(static_cast<int>(id))), static_cast<int>(id));
    EXPECT_EQ(repository.Find("$/SRC/Core/engine.CPP"), repository.Find("$/src/core/Engine.cpp"));
    EXPECT_EQ(repository.Find("$/src/nothing"), -1);
    EXPECT_EQ(repository.Find("src/core"), -1);

    int core = repository.Find("$/src/core");
    EXPECT_EQ(repository.Lineage(core), (std::vector<int>{0, repository.Find("$/src"), core}));
    // Folders come first, then files, each by name.
    const std::vector<int>& children = repository.At(repository.Root()).children;
    bool seenFile = false;
    for (size_t i = 0; i < children.size(); ++i) {
        const demo::Node& node = repository.At(children[i]);
        EXPECT_FALSE(seenFile && node.folder) << node.name;
        seenFile = seenFile || !node.folder;
        if (i > 0 && repository.At(children[i - 1]).folder == node.folder) {
            EXPECT_LT(_stricmp(repository.At(children[i - 1]).name.c_str(), node.name.c_str()), 0);
        }
    }

    const demo::Node& engine = repository.At(repository.Find("$/src/core/Engine.cpp"));
    ASSERT_EQ(engine.versions.size(), 36u);
    EXPECT_EQ(engine.localVersion, 34);
    EXPECT_EQ(engine.checkedOutTo, "bob");
    for (size_t i = 1; i < engine.versions.size(); ++i)
        EXPECT_GT(engine.versions[i].sortKey, engine.versions[i - 1].sortKey);
}

TEST(DemoModel, ServersAndPasswords) {
    demo::SampleServers servers;
    EXPECT_EQ(servers.ServerNames().size(), 3u);
    demo::Server* alpha = servers.FindServer("ALPHA.kessa.example");
    ASSERT_NE(alpha, nullptr);
    EXPECT_TRUE(alpha->Accepts("Alice", "alpine"));
    EXPECT_FALSE(alpha->Accepts("alice", "Alpine"));
    EXPECT_FALSE(alpha->Accepts("dave", "delta"));
    EXPECT_FALSE(servers.FindServer("gamma.kessa.example")->reachable);
    EXPECT_EQ(servers.FindServer("beta.kessa.example")->FindDatabase("web")->enforcedFolder, "C:\\Kessa\\Web");
}

// --- The explore handler ------------------------------------------------------------

TEST(DemoExplore, NavigatesWithHistoryUpAndLookIn) {
    demo::SampleServers servers;
    Repository& repository = Projects(servers);
    demo::ExploreEvents events(repository, repository.Root());
    FakeExplore dialog(events);

    events.OnOpenEntry(&dialog, -1);
    EXPECT_EQ(dialog.path, (std::vector<std::string>{"Projects"}));
    EXPECT_EQ(dialog.selectedLevel, 0);
    EXPECT_FALSE(dialog.backEnabled);
    EXPECT_EQ(dialog.names.size(), repository.At(repository.Root()).children.size());

    events.OnOpenEntry(&dialog, dialog.IndexOf("src"));
    events.OnOpenEntry(&dialog, dialog.IndexOf("core"));
    EXPECT_EQ(dialog.path, (std::vector<std::string>{"Projects", "src", "core"}));
    EXPECT_EQ(dialog.selectedLevel, 2);
    EXPECT_TRUE(dialog.backEnabled);
    EXPECT_EQ(events.Folder(), repository.Find("$/src/core"));

    events.OnUpOneLevel(&dialog);
    EXPECT_EQ(events.Folder(), repository.Find("$/src"));
    events.OnLookInSelected(&dialog, 0, 2);
    EXPECT_EQ(events.Folder(), repository.Root());
    events.OnUpOneLevel(&dialog);  // the root has no parent: nothing changes
    EXPECT_EQ(events.Folder(), repository.Root());

    // Back retraces every step: root <- src <- core <- src <- root.
    std::vector<int> visited;
    while (events.CanGoToLastFolder(&dialog)) {
        events.OnGoToLastFolder(&dialog);
        visited.push_back(events.Folder());
    }
    EXPECT_EQ(visited, (std::vector<int>{repository.Find("$/src"), repository.Find("$/src/core"),
                                         repository.Find("$/src"), repository.Root()}));
    EXPECT_FALSE(dialog.backEnabled);
    EXPECT_EQ(dialog.ended, -1);
}

TEST(DemoExplore, FilterKeepsFoldersAndMatchingFiles) {
    demo::SampleServers servers;
    Repository& repository = Projects(servers);
    demo::ExploreEvents events(repository, repository.Find("$/src/ui"));
    FakeExplore dialog(events);
    dialog.filter = "*.h";
    events.OnOpenEntry(&dialog, -1);
    ASSERT_FALSE(dialog.names.empty());
    EXPECT_EQ(dialog.names.front(), "dialogs");  // folders stay, whatever the filter
    for (size_t i = 1; i < dialog.names.size(); ++i) EXPECT_TRUE(demo::MatchesPatterns(dialog.names[i], "*.h"));
    dialog.filter = nullptr;  // no filters at all: everything
    events.OnOpenEntry(&dialog, -1);
    EXPECT_EQ(dialog.names.size(), repository.At(repository.Find("$/src/ui")).children.size());
}

TEST(DemoExplore, OpeningAndSelectionText) {
    demo::SampleServers servers;
    Repository& repository = Projects(servers);
    demo::ExploreEvents events(repository, repository.Find("$/src"));
    FakeExplore dialog(events);
    events.OnOpenEntry(&dialog, -1);
    const int core = repository.Find("$/src/core");
    const int engine = repository.Find("$/src/core/Engine.cpp");
    const int header = repository.Find("$/src/core/Engine.h");

    std::string text;
    EXPECT_TRUE(events.GetSelectionText(&dialog, {core}, text));
    EXPECT_EQ(text, "core");
    text.clear();
    EXPECT_TRUE(events.GetSelectionText(&dialog, {core, engine, header}, text));
    EXPECT_EQ(text, "\"Engine.cpp\" \"Engine.h\"");
    text.clear();
    EXPECT_FALSE(events.GetSelectionText(&dialog, {core, repository.Find("$/src/ui")}, text));

    // Nothing, or a folder, keeps the dialog open; a folder is entered.
    events.OnOpen(&dialog, {});
    EXPECT_EQ(dialog.ended, -1);
    events.OnOpen(&dialog, {core});
    EXPECT_EQ(dialog.ended, -1);
    EXPECT_EQ(events.Folder(), core);
    // Files end the dialog with acceptance, from Open or from a double-click.
    events.OnOpen(&dialog, {engine, header});
    EXPECT_EQ(dialog.ended, 1);
    dialog.ended = -1;
    events.OnOpenEntry(&dialog, header);
    EXPECT_EQ(dialog.ended, 1);
}

// --- The sign-in handler -------------------------------------------------------------

TEST(DemoSignin, ListsDatabasesAndRefusesWithAReason) {
    demo::SampleServers servers;
    FakeService service;
    demo::SigninEvents events(service, servers);
    TavroKessaSigninDialogParams record;
    std::vector<std::string> names;

    EXPECT_TRUE(events.OnQueryKessaList(&record, nullptr, "alpha.kessa.example", &names));
    EXPECT_EQ(names, (std::vector<std::string>{"Projects", "Tools", "Archive"}));
    EXPECT_TRUE(service.messages.empty());

    for (const char* server : {"gamma.kessa.example", "", "nowhere"}) {
        names.clear();
        EXPECT_FALSE(events.OnQueryKessaList(&record, nullptr, server, &names)) << server;
        EXPECT_TRUE(names.empty());
    }
    ASSERT_EQ(service.messages.size(), 3u);
    EXPECT_EQ(service.messages[0].flags, static_cast<unsigned>(TAVROKESSA_MSG_WARNING));
    EXPECT_NE(service.messages[0].text.find("gamma.kessa.example"), std::string::npos);
    EXPECT_EQ(events.Refusals(), 3);
}

TEST(DemoSignin, AcceptsOnlyTheRightPasswordForAnExistingDatabase) {
    demo::SampleServers servers;
    FakeService service;
    demo::SigninEvents events(service, servers);
    TavroKessaSigninDialogParams record;
    record.SetUser("alice");
    record.SetServer("alpha.kessa.example");
    record.SetKessa("Projects");

    record.SetPassword("wrong");
    EXPECT_FALSE(events.OnLogin(&record, nullptr));
    record.SetPassword("alpine");
    record.SetKessa("Web");  // a database of the other server
    EXPECT_FALSE(events.OnLogin(&record, nullptr));
    EXPECT_EQ(events.SignedInDatabase(), nullptr);
    ASSERT_EQ(service.messages.size(), 2u);
    EXPECT_EQ(service.messages[1].flags, static_cast<unsigned>(TAVROKESSA_MSG_ERROR));

    record.SetKessa("projects");
    EXPECT_TRUE(events.OnLogin(&record, nullptr));
    ASSERT_NE(events.SignedInDatabase(), nullptr);
    EXPECT_EQ(events.SignedInDatabase()->name, "Projects");
    EXPECT_EQ(events.SignedInServer()->name, "alpha.kessa.example");
}

// --- Fetching a version through the progress window ------------------------------------

TEST(DemoHistory, GetsAVersionThroughTheProgressWindow) {
    demo::SampleServers servers;
    Repository& repository = Projects(servers);
    demo::Node& engine = repository.At(repository.Find("$/src/core/Engine.cpp"));
    FakeService service;
    demo::Transfer transfer(service);
    transfer.SetPace(0, 4);
    demo::HistoryEvents events(transfer, engine, "C:\\Kessa\\Projects\\src\\core\\Engine.cpp");

    // Entries are positions in the versions; the purged first two cannot be fetched.
    EXPECT_FALSE(events.CanGetVersion(0, nullptr));
    EXPECT_FALSE(events.OnGetVersion(1, false, nullptr));
    EXPECT_FALSE(events.CanGetVersion(36, nullptr));
    EXPECT_FALSE(events.CanGetVersion(-1, nullptr));
    EXPECT_TRUE(events.CanGetVersion(30, nullptr));
    EXPECT_TRUE(service.progress.empty());

    EXPECT_TRUE(events.OnGetVersion(30, false, nullptr));
    EXPECT_EQ(engine.localVersion, 31);
    EXPECT_EQ(engine.localDate, engine.versions[30].date);
    EXPECT_EQ(events.Fetched(), 31);
    EXPECT_EQ(service.caption, "Get Version");
    EXPECT_FALSE(service.open);
    // One file still moves the bar in visible steps, up to the full bar.
    ASSERT_GE(service.progress.size(), 10u);
    EXPECT_EQ(service.progress.back(), 100);
    EXPECT_EQ(service.files.back(), "C:\\Kessa\\Projects\\src\\core\\Engine.cpp");

    // Cancel part of the way: nothing changes and the window goes.
    service.progress.clear();
    service.cancelAtUpdate = 3;
    EXPECT_FALSE(events.OnGetVersion(20, false, nullptr));
    EXPECT_EQ(engine.localVersion, 31);
    EXPECT_EQ(service.progress.size(), 3u);
    EXPECT_FALSE(service.open);
}

TEST(DemoTransfer, CountsTheFilesThatArrivedBeforeCancel) {
    FakeService service;
    demo::Transfer transfer(service);
    transfer.SetPace(0, 2);
    service.cancelAtUpdate = 7;  // during the fourth file
    std::vector<size_t> arrived;
    demo::TransferOutcome outcome =
        transfer.Run(nullptr, "Get Latest", "Getting...", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"},
                     [&](size_t i) { arrived.push_back(i); });
    EXPECT_TRUE(outcome.shown);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.total, 11u);
    EXPECT_EQ(outcome.arrived, 3u);
    EXPECT_EQ(arrived, (std::vector<size_t>{0, 1, 2}));
    EXPECT_FALSE(service.open);

    // Progress never goes back and ends full when nobody cancels.
    service.progress.clear();
    service.cancelAtUpdate = 0;
    outcome = transfer.Run(nullptr, "Get Latest", "Getting...", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"},
                           [](size_t) {});
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.arrived, 11u);
    for (size_t i = 1; i < service.progress.size(); ++i) EXPECT_GE(service.progress[i], service.progress[i - 1]);
    EXPECT_EQ(service.progress.back(), 100);
}

}  // namespace
