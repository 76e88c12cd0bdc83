// The parameter objects: defaults, copying setters, borrowed pointers, filters
// and entries, and the one heap that host and library share.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "tavrokessaui.h"

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
