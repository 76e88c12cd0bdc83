// The binary contract: every record and interface is called here through its
// vtable entry number, the way a host compiled against an older or another
// header reaches it, so a reordered declaration fails.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "tavrokessaui.h"

namespace {

template <typename R, typename... A>
R CallSlot(void* object, int slot, A... args) {
    using Function = R (*)(void*, A...);
    void** table = *reinterpret_cast<void***>(object);
    return reinterpret_cast<Function>(table[slot])(object, args...);
}

// Under this ABI a virtual destructor takes two entries (complete, deleting);
// a record's first accessor is therefore entry 2.
constexpr int kFirstAccessor = 2;

}  // namespace

TEST(Abi, SigninRecordEntries) {
    TavroKessaSigninDialogParams record;
    void* r = &record;
    const char* texts[] = {"7.1", "user", "secret", "server", "db"};
    // Get/Set pairs: version, (auto-login), user, password, server, database.
    CallSlot<void>(r, kFirstAccessor + 1, texts[0]);
    CallSlot<void>(r, kFirstAccessor + 3, true);
    CallSlot<void>(r, kFirstAccessor + 5, texts[1]);
    CallSlot<void>(r, kFirstAccessor + 7, texts[2]);
    CallSlot<void>(r, kFirstAccessor + 9, texts[3]);
    CallSlot<void>(r, kFirstAccessor + 11, texts[4]);
    EXPECT_STREQ(record.GetKessaVersion(), "7.1");
    EXPECT_TRUE(record.GetAutoLogin());
    EXPECT_STREQ(record.GetUser(), "user");
    EXPECT_STREQ(record.GetPassword(), "secret");
    EXPECT_STREQ(record.GetServer(), "server");
    EXPECT_STREQ(record.GetKessa(), "db");
    EXPECT_STREQ(CallSlot<const char*>(r, kFirstAccessor + 0), "7.1");
    EXPECT_TRUE(CallSlot<bool>(r, kFirstAccessor + 2));
    EXPECT_STREQ(CallSlot<const char*>(r, kFirstAccessor + 4), "user");
    EXPECT_STREQ(CallSlot<const char*>(r, kFirstAccessor + 6), "secret");
    EXPECT_STREQ(CallSlot<const char*>(r, kFirstAccessor + 8), "server");
    EXPECT_STREQ(CallSlot<const char*>(r, kFirstAccessor + 10), "db");

    std::vector<std::string> servers, databases;
    CallSlot<void>(r, kFirstAccessor + 13, &servers);
    CallSlot<void>(r, kFirstAccessor + 15, &databases);
    auto* events = reinterpret_cast<ITavroKessaSigninDialogEvents*>(&databases + 1);  // only stored, never called
    CallSlot<void>(r, kFirstAccessor + 17, events);
    EXPECT_EQ(record.GetServerList(), &servers);
    EXPECT_EQ(record.GetKessaList(), &databases);
    EXPECT_EQ(record.GetITavroKessaSigninDialogEvents(), events);
    EXPECT_EQ(CallSlot<std::vector<std::string>*>(r, kFirstAccessor + 12), &servers);
    EXPECT_EQ(CallSlot<std::vector<std::string>*>(r, kFirstAccessor + 14), &databases);
    EXPECT_EQ(CallSlot<ITavroKessaSigninDialogEvents*>(r, kFirstAccessor + 16), events);
}

TEST(Abi, OptionsAndProgressRecordEntries) {
    TavroKessaOptionsDialogParams options;
    CallSlot<void>(&options, kFirstAccessor + 1, "C:\\work");
    CallSlot<void>(&options, kFirstAccessor + 3, true);
    CallSlot<void>(&options, kFirstAccessor + 5, false);
    EXPECT_STREQ(options.GetWorkingFolder(), "C:\\work");
    EXPECT_TRUE(options.GetEnforceWorkingFolder());
    EXPECT_FALSE(options.GetAutoLogin());
    options.SetAutoLogin(true);
    EXPECT_STREQ(CallSlot<const char*>(&options, kFirstAccessor), "C:\\work");
    EXPECT_TRUE(CallSlot<bool>(&options, kFirstAccessor + 2));
    EXPECT_TRUE(CallSlot<bool>(&options, kFirstAccessor + 4));

    TavroKessaProgressDialogParams progress;
    CallSlot<void>(&progress, kFirstAccessor + 1, "caption");
    CallSlot<void>(&progress, kFirstAccessor + 3, "message");
    CallSlot<void>(&progress, kFirstAccessor + 5, "file");
    CallSlot<void>(&progress, kFirstAccessor + 7, 42);
    auto* events = reinterpret_cast<ITavroKessaProgressDialogEvents*>(&progress);
    CallSlot<void>(&progress, kFirstAccessor + 9, events);
    EXPECT_STREQ(progress.GetCaption(), "caption");
    EXPECT_STREQ(progress.GetMessageA(), "message");
    EXPECT_STREQ(progress.GetFile(), "file");
    EXPECT_EQ(progress.GetProgress(), 42);
    EXPECT_EQ(progress.GetITavroKessaProgressDialogEvents(), events);
    EXPECT_STREQ(CallSlot<const char*>(&progress, kFirstAccessor + 2), "message");
    EXPECT_EQ(CallSlot<int>(&progress, kFirstAccessor + 6), 42);
    EXPECT_EQ(CallSlot<ITavroKessaProgressDialogEvents*>(&progress, kFirstAccessor + 8), events);
}

TEST(Abi, ExploreRecordEntries) {
    TavroKessaExploreDialogEntry entry;
    CallSlot<void>(&entry, kFirstAccessor + 1, "src");
    CallSlot<void>(&entry, kFirstAccessor + 3, true);
    CallSlot<void>(&entry, kFirstAccessor + 5, 17);
    EXPECT_STREQ(entry.GetDisplayName(), "src");
    EXPECT_TRUE(entry.IsFolder());
    EXPECT_EQ(entry.GetIndex(), 17);
    EXPECT_STREQ(CallSlot<const char*>(&entry, kFirstAccessor), "src");
    EXPECT_TRUE(CallSlot<bool>(&entry, kFirstAccessor + 2));
    EXPECT_EQ(CallSlot<int>(&entry, kFirstAccessor + 4), 17);

    TavroKessaExploreDialogParams params;
    void* p = &params;
    CallSlot<void>(p, kFirstAccessor + 1, "Open");
    CallSlot<void>(p, kFirstAccessor + 3, true);
    CallSlot<void>(p, kFirstAccessor + 5, &entry);
    auto* events = reinterpret_cast<ITavroKessaExploreDialogEvents*>(&entry);
    CallSlot<void>(p, kFirstAccessor + 7, events);
    EXPECT_STREQ(params.GetTitle(), "Open");
    EXPECT_TRUE(params.GetMultipleSelections());
    EXPECT_EQ(params.GetRootEntry(), &entry);
    EXPECT_EQ(params.GetITavroKessaExploreDialogEvents(), events);
    EXPECT_STREQ(CallSlot<const char*>(p, kFirstAccessor), "Open");
    EXPECT_TRUE(CallSlot<bool>(p, kFirstAccessor + 2));
    EXPECT_EQ(CallSlot<TavroKessaExploreDialogEntry*>(p, kFirstAccessor + 4), &entry);
    EXPECT_EQ(CallSlot<ITavroKessaExploreDialogEvents*>(p, kFirstAccessor + 6), events);
    EXPECT_EQ(&CallSlot<std::vector<int>&>(p, kFirstAccessor + 8), &params.GetSelections());
    EXPECT_EQ(CallSlot<unsigned>(p, kFirstAccessor + 9, "Text", "*.txt"), 1u);
    EXPECT_EQ(CallSlot<unsigned>(p, kFirstAccessor + 10), 1u);
    EXPECT_STREQ(CallSlot<const char*>(p, kFirstAccessor + 11, 0u), "Text");
    EXPECT_STREQ(CallSlot<const char*>(p, kFirstAccessor + 12, 0u), "*.txt");
}

TEST(Abi, HistoryAndPropertyRecordEntries) {
    TavroKessaFileHistoryEntry entry;
    void* e = &entry;
    CallSlot<void>(e, kFirstAccessor + 1, 5);
    CallSlot<void>(e, kFirstAccessor + 3, 12);
    CallSlot<void>(e, kFirstAccessor + 5, "2026-12-08");
    CallSlot<void>(e, kFirstAccessor + 7, 0x7000000000000001LL);
    CallSlot<void>(e, kFirstAccessor + 9, "dana");
    CallSlot<void>(e, kFirstAccessor + 11, "Fixed\nmore");
    EXPECT_EQ(entry.GetEntry(), 5);
    EXPECT_EQ(entry.GetLatestVer(), 12);
    EXPECT_STREQ(entry.GetLastModDateLatest(), "2026-12-08");
    EXPECT_EQ(entry.GetLastModDateLatestSortValue(), 0x7000000000000001LL);
    EXPECT_STREQ(entry.GetUserNameA(), "dana");
    EXPECT_STREQ(entry.GetComment(), "Fixed\nmore");
    EXPECT_EQ(CallSlot<int>(e, kFirstAccessor), 5);
    EXPECT_EQ(CallSlot<int>(e, kFirstAccessor + 2), 12);
    EXPECT_STREQ(CallSlot<const char*>(e, kFirstAccessor + 4), "2026-12-08");
    EXPECT_EQ(CallSlot<long long>(e, kFirstAccessor + 6), 0x7000000000000001LL);
    EXPECT_STREQ(CallSlot<const char*>(e, kFirstAccessor + 8), "dana");
    EXPECT_STREQ(CallSlot<const char*>(e, kFirstAccessor + 10), "Fixed\nmore");

    TavroKessaHistoryDialogParams history;
    void* h = &history;
    CallSlot<void>(h, kFirstAccessor + 1, "$/a.c");
    CallSlot<void>(h, kFirstAccessor + 3, 9);
    EXPECT_TRUE(CallSlot<bool>(h, kFirstAccessor + 4, &entry));
    EXPECT_EQ(CallSlot<unsigned>(h, kFirstAccessor + 5), 1u);
    EXPECT_EQ(CallSlot<TavroKessaFileHistoryEntry*>(h, kFirstAccessor + 6, 0u), &entry);
    auto* events = reinterpret_cast<ITavroKessaHistoryDialogEvents*>(&entry);
    CallSlot<void>(h, kFirstAccessor + 8, events);
    EXPECT_EQ(CallSlot<ITavroKessaHistoryDialogEvents*>(h, kFirstAccessor + 7), events);
    EXPECT_STREQ(history.GetKessaPath(), "$/a.c");
    EXPECT_EQ(history.GetLocalVer(), 9);
    EXPECT_STREQ(CallSlot<const char*>(h, kFirstAccessor), "$/a.c");
    EXPECT_EQ(CallSlot<int>(h, kFirstAccessor + 2), 9);

    TavroKessaPropertyDialogParams properties;
    void* q = &properties;
    const char* texts[] = {"$/a.c", "C:\\a.c"};
    CallSlot<void>(q, kFirstAccessor + 1, texts[0]);
    CallSlot<void>(q, kFirstAccessor + 3, texts[1]);
    CallSlot<void>(q, kFirstAccessor + 5, 8);
    CallSlot<void>(q, kFirstAccessor + 7, 6);
    CallSlot<void>(q, kFirstAccessor + 9, "local date");
    CallSlot<void>(q, kFirstAccessor + 11, "latest date");
    CallSlot<void>(q, kFirstAccessor + 13, true);
    CallSlot<void>(q, kFirstAccessor + 15, "erin");
    EXPECT_STREQ(properties.GetKessaPath(), "$/a.c");
    EXPECT_STREQ(properties.GetLocalPath(), "C:\\a.c");
    EXPECT_EQ(properties.GetLatestVer(), 8);
    EXPECT_EQ(properties.GetLocalVer(), 6);
    EXPECT_STREQ(properties.GetLastModDateLocal(), "local date");
    EXPECT_STREQ(properties.GetLastModDateLatest(), "latest date");
    EXPECT_TRUE(properties.GetCheckedOut());
    EXPECT_STREQ(properties.GetUserNameA(), "erin");
    EXPECT_EQ(CallSlot<int>(q, kFirstAccessor + 4), 8);
    EXPECT_EQ(CallSlot<int>(q, kFirstAccessor + 6), 6);
    EXPECT_STREQ(CallSlot<const char*>(q, kFirstAccessor + 10), "latest date");
    EXPECT_TRUE(CallSlot<bool>(q, kFirstAccessor + 12));
    EXPECT_STREQ(CallSlot<const char*>(q, kFirstAccessor + 14), "erin");
}

TEST(Abi, DeletingDestructorIsEntryOne) {
    auto* record = new TavroKessaProgressDialogParams;
    record->SetCaption(std::string(1000, 'c').c_str());
    CallSlot<void>(record, 1);  // frees it in the library; a leak or a crash otherwise
    SUCCEED();
}

namespace {

// A host settings object and a progress events object made by hand, with no
// compiler-made vtable: only the entry numbers the library calls can reach them.
int g_displayFlagCalls = 0;
int g_wrongEntryCalls = 0;
int g_cancelCalls = 0;
TavroKessaProgressDialogParams* g_cancelRecord = nullptr;

void WrongEntry(void*) { ++g_wrongEntryCalls; }
COLORREF HostColor(void*, int) { return RGB(1, 2, 3); }
unsigned HostFlags(void*) {
    ++g_displayFlagCalls;
    return 0;
}
void OnCancelEntry(void*, TavroKessaProgressDialogParams* record) {
    ++g_cancelCalls;
    g_cancelRecord = record;
}

struct HandMadeObject {
    void** table;
};

}  // namespace

TEST(Abi, ServiceEntriesInOrder) {
    ITavroKessaUI* ui = GetITavroKessaUI();
    ASSERT_NE(ui, nullptr);
    void* s = ui;

    void* hostTable[] = {reinterpret_cast<void*>(&WrongEntry), reinterpret_cast<void*>(&HostColor),
                         reinterpret_cast<void*>(&HostFlags)};
    HandMadeObject host{hostTable};
    CallSlot<void>(s, 0, reinterpret_cast<ITavroKessaUIHost*>(&host));  // SetHost

    // ShowMessage (1) asks the host for its flags through entry 2.
    tkt::Driver driver;
    driver.WaitDialog("abi").Do([&] { tkt::Click(driver.Dialog(), IDOK); });
    INT_PTR answer = driver.Run(
        [&] { return CallSlot<INT_PTR>(s, 1, static_cast<HWND>(nullptr), "message", "abi", 0u); });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(g_displayFlagCalls, 1);
    EXPECT_EQ(g_wrongEntryCalls, 0);

    // BrowseForFolder (4) without a buffer shows nothing.
    EXPECT_EQ(CallSlot<INT_PTR>(s, 4, static_cast<HWND>(nullptr), "t", static_cast<char*>(nullptr)), 0);

    // The modal operations (2, 3, 5, 6, 7) refuse a null record with -1.
    for (int slot : {2, 3, 5, 6, 7})
        EXPECT_EQ(CallSlot<INT_PTR>(s, slot, static_cast<HWND>(nullptr), static_cast<void*>(nullptr)), -1) << slot;

    // Progress: update (9) and close (10) before open (8) answer 0.
    TavroKessaProgressDialogParams progress;
    void* eventsTable[] = {reinterpret_cast<void*>(&OnCancelEntry)};
    HandMadeObject events{eventsTable};
    progress.SetITavroKessaProgressDialogEvents(reinterpret_cast<ITavroKessaProgressDialogEvents*>(&events));
    EXPECT_EQ(CallSlot<INT_PTR>(s, 9, &progress), 0);
    EXPECT_EQ(CallSlot<INT_PTR>(s, 10), 0);
    EXPECT_EQ(CallSlot<INT_PTR>(s, 8, static_cast<HWND>(nullptr), &progress), 1);
    EXPECT_EQ(CallSlot<INT_PTR>(s, 9, &progress), 1);
    // Cancel reaches OnCancel through entry 0 of the events object.
    HWND window = tkt::FindDialog("Dialog");
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(1040, BN_CLICKED), 0);
    EXPECT_EQ(g_cancelCalls, 1);
    EXPECT_EQ(g_cancelRecord, &progress);
    EXPECT_EQ(CallSlot<INT_PTR>(s, 10), 1);
    EXPECT_EQ(CallSlot<INT_PTR>(s, 10), 0);

    // Entry 11/12 is the destructor, reached by the exported release.
    ReleaseITavroKessaUI(ui);
    ReleaseITavroKessaUI(nullptr);
}

TEST(Abi, EntryPointsAreExportedByName) {
    HMODULE module = GetModuleHandleA("tavrokessaui.dll");
    ASSERT_NE(module, nullptr);
    using Get = ITavroKessaUI* (*)();
    using Release = void (*)(ITavroKessaUI*);
    auto get = reinterpret_cast<Get>(reinterpret_cast<void*>(GetProcAddress(module, "GetITavroKessaUI")));
    auto release = reinterpret_cast<Release>(reinterpret_cast<void*>(GetProcAddress(module, "ReleaseITavroKessaUI")));
    ASSERT_NE(get, nullptr);
    ASSERT_NE(release, nullptr);
    ITavroKessaUI* first = get();
    ITavroKessaUI* second = get();
    EXPECT_NE(first, second);  // no shared instance
    release(first);
    release(second);
}
