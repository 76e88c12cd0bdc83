// The parameter objects: defaults, copying setters, borrowed pointers, filters
// and entries, and the one heap that host and library share.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "tavrokessaui.h"

TEST(Records, FreshObjectsReadAsEmptyNeverNull) {
    TavroKessaSigninDialogParams signin;
    for (const char* text : {signin.GetKessaVersion(), signin.GetUser(), signin.GetPassword(), signin.GetServer(),
                             signin.GetKessa()}) {
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text, "");
    }
    EXPECT_FALSE(signin.GetAutoLogin());
    EXPECT_EQ(signin.GetServerList(), nullptr);
    EXPECT_EQ(signin.GetKessaList(), nullptr);
    EXPECT_EQ(signin.GetITavroKessaSigninDialogEvents(), nullptr);

    TavroKessaOptionsDialogParams options;
    EXPECT_STREQ(options.GetWorkingFolder(), "");
    EXPECT_FALSE(options.GetEnforceWorkingFolder());
    EXPECT_FALSE(options.GetAutoLogin());

    TavroKessaExploreDialogEntry entry;
    EXPECT_STREQ(entry.GetDisplayName(), "");
    EXPECT_EQ(entry.GetIndex(), -1);
    EXPECT_FALSE(entry.IsFolder());

    TavroKessaExploreDialogParams explore;
    EXPECT_STREQ(explore.GetTitle(), "");
    EXPECT_EQ(explore.GetRootEntry(), nullptr);
    EXPECT_EQ(explore.GetITavroKessaExploreDialogEvents(), nullptr);
    EXPECT_TRUE(explore.GetSelections().empty());
    EXPECT_EQ(explore.NumFilters(), 0u);
    EXPECT_FALSE(explore.GetMultipleSelections());

    TavroKessaFileHistoryEntry version;
    EXPECT_EQ(version.GetEntry(), 0);
    EXPECT_EQ(version.GetLatestVer(), 0);
    EXPECT_EQ(version.GetLastModDateLatestSortValue(), 0);
    EXPECT_STREQ(version.GetLastModDateLatest(), "");
    EXPECT_STREQ(version.GetUserNameA(), "");
    EXPECT_STREQ(version.GetComment(), "");

    TavroKessaHistoryDialogParams history;
    EXPECT_EQ(history.NumEntries(), 0u);
    EXPECT_EQ(history.GetEntry(0), nullptr);
    EXPECT_STREQ(history.GetKessaPath(), "");
    EXPECT_EQ(history.GetLocalVer(), 0);
    EXPECT_EQ(history.GetITavroKessaHistoryDialogEvents(), nullptr);

    TavroKessaPropertyDialogParams properties;
    for (const char* text : {properties.GetKessaPath(), properties.GetLocalPath(), properties.GetLastModDateLocal(),
                             properties.GetLastModDateLatest(), properties.GetUserNameA()})
        EXPECT_STREQ(text, "");
    EXPECT_EQ(properties.GetLatestVer(), 0);
    EXPECT_EQ(properties.GetLocalVer(), 0);
    EXPECT_FALSE(properties.GetCheckedOut());

    TavroKessaProgressDialogParams progress;
    EXPECT_STREQ(progress.GetCaption(), "");
    EXPECT_STREQ(progress.GetMessageA(), "");
    EXPECT_STREQ(progress.GetFile(), "");
    EXPECT_EQ(progress.GetProgress(), 0);
    EXPECT_EQ(progress.GetITavroKessaProgressDialogEvents(), nullptr);
}

TEST(Records, SettersCopyAndNullLeavesTheFieldAlone) {
    TavroKessaSigninDialogParams signin;
    char buffer[] = "alice";
    signin.SetUser(buffer);
    buffer[0] = 'X';  // the record holds its own copy
    EXPECT_STREQ(signin.GetUser(), "alice");
    signin.SetUser("");
    EXPECT_STREQ(signin.GetUser(), "");
    signin.SetUser("bob");
    signin.SetUser(nullptr);
    EXPECT_STREQ(signin.GetUser(), "bob");
    signin.SetServer("first");
    signin.SetServer("second");
    EXPECT_STREQ(signin.GetServer(), "second");

    TavroKessaProgressDialogParams progress;
    progress.SetMessage("Copying");
    progress.SetMessage(nullptr);
    EXPECT_STREQ(progress.GetMessageA(), "Copying");
    progress.SetProgress(150);
    EXPECT_EQ(progress.GetProgress(), 150);  // no range check
    progress.SetProgress(-5);
    EXPECT_EQ(progress.GetProgress(), -5);

    TavroKessaPropertyDialogParams properties;
    properties.SetUserName("carol");
    properties.SetUserName(nullptr);
    EXPECT_STREQ(properties.GetUserNameA(), "carol");
    properties.SetLocalVer(INT_MIN);
    EXPECT_EQ(properties.GetLocalVer(), INT_MIN);
}

TEST(Records, BorrowedListsOutliveTheRecord) {
    std::vector<std::string> servers{"alpha", "beta"};
    {
        TavroKessaSigninDialogParams signin;
        signin.SetServerList(&servers);
        signin.SetKessaList(&servers);  // several fields may share one list
        EXPECT_EQ(signin.GetServerList(), &servers);
        signin.SetKessaList(nullptr);
        EXPECT_EQ(signin.GetKessaList(), nullptr);
    }
    ASSERT_EQ(servers.size(), 2u);
    EXPECT_EQ(servers[1], "beta");

    TavroKessaExploreDialogEntry root;
    root.SetDisplayName("$/");
    {
        auto* explore = new TavroKessaExploreDialogParams;
        explore->SetRootEntry(&root);
        delete explore;
    }
    EXPECT_STREQ(root.GetDisplayName(), "$/");
}

TEST(Records, FiltersCountAndRefuseNulls) {
    TavroKessaExploreDialogParams explore;
    EXPECT_EQ(explore.GetFilterName(0), nullptr);
    EXPECT_EQ(explore.GetFilterExtensions(0), nullptr);
    EXPECT_EQ(explore.AddFilter("C++ files", "*.cpp;*.h"), 1u);
    EXPECT_EQ(explore.AddFilter("All files", "*"), 2u);
    EXPECT_EQ(explore.AddFilter(nullptr, "*"), 0u);
    EXPECT_EQ(explore.AddFilter("x", nullptr), 0u);
    EXPECT_EQ(explore.AddFilter("C++ files", "*.cpp"), 3u);  // same name twice: two filters
    EXPECT_EQ(explore.NumFilters(), 3u);
    EXPECT_STREQ(explore.GetFilterName(1), "All files");
    EXPECT_STREQ(explore.GetFilterExtensions(0), "*.cpp;*.h");
    EXPECT_EQ(explore.GetFilterName(explore.NumFilters()), nullptr);
    EXPECT_EQ(explore.GetFilterExtensions(UINT_MAX), nullptr);

    explore.SetMultipleSelections(true);
    EXPECT_TRUE(explore.GetMultipleSelections());
    explore.SetMultipleSelections(false);
    EXPECT_FALSE(explore.GetMultipleSelections());
}

TEST(Records, HistoryEntriesAreBorrowedAndKeepTheirOrder) {
    TavroKessaFileHistoryEntry first;
    TavroKessaFileHistoryEntry second;
    first.SetLastModDateLatestSortVal(LLONG_MIN);
    second.SetLastModDateLatestSortVal(0x123456789ALL);
    EXPECT_EQ(first.GetLastModDateLatestSortValue(), LLONG_MIN);
    EXPECT_EQ(second.GetLastModDateLatestSortValue(), 0x123456789ALL);
    {
        TavroKessaHistoryDialogParams history;
        EXPECT_FALSE(history.AddEntry(nullptr));
        EXPECT_EQ(history.NumEntries(), 0u);
        EXPECT_TRUE(history.AddEntry(&first));
        EXPECT_TRUE(history.AddEntry(&second));
        EXPECT_TRUE(history.AddEntry(&first));  // duplicates are two rows
        EXPECT_EQ(history.NumEntries(), 3u);
        EXPECT_EQ(history.GetEntry(0), &first);
        EXPECT_EQ(history.GetEntry(2), &first);
        EXPECT_EQ(history.GetEntry(3), nullptr);
        EXPECT_EQ(history.GetEntry(UINT_MAX), nullptr);
    }
    first.SetComment("still alive");
    EXPECT_STREQ(first.GetComment(), "still alive");
}

TEST(Records, HostAndLibraryShareOneHeap) {
    // The host allocates the record and fills the vector the record owns; the
    // library's destructor frees both. With two heaps this corrupts or crashes.
    for (int round = 0; round < 50; ++round) {
        auto* explore = new TavroKessaExploreDialogParams;
        std::vector<int>& selections = explore->GetSelections();
        for (int i = 0; i < 20000; ++i) selections.push_back(i);
        explore->AddFilter(std::string(5000, 'n').c_str(), "*");
        delete explore;  // the library's deleting destructor
    }
    // And the other way round: the library allocates a text, the host copies it
    // into its own string and frees its copy.
    std::unique_ptr<TavroKessaSigninDialogParams> signin(new TavroKessaSigninDialogParams);
    signin->SetUser(std::string(100000, 'u').c_str());
    std::string copy = signin->GetUser();
    EXPECT_EQ(copy.size(), 100000u);
}
