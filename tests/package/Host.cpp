// A host that knows the library only through its released package. It calls
// every service operation and every accessor of every record through the
// installed header, and the package tests build it with each compiler and build
// system a host may use (GCC through find_package and through pkg-config, with
// and without UNICODE; clang): the binary interface must not depend on them.
// Modal windows are answered with Cancel by closer::Tick. Exits 0 when every
// answer is the documented one, else prints each mismatch and exits 1.
#include <tavrokessaui.h>

#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Closer.h"

#ifndef TK_EXPECTED_VERSION
#error "build with -DTK_EXPECTED_VERSION=\"x.y.z\", the version the package says it has"
#endif

namespace {

int g_failures = 0;

void Fail(int line, const char* what, const std::string& detail) {
    ++g_failures;
    std::printf("Host.cpp:%d: %s%s%s\n", line, what, detail.empty() ? "" : " -- ", detail.c_str());
}

void ExpectText(int line, const char* what, const char* got, const char* want) {
    if (got == nullptr || std::strcmp(got, want) != 0)
        Fail(line, what, std::string("got \"") + (got ? got : "(null)") + "\", want \"" + want + "\"");
}

void ExpectNumber(int line, const char* what, long long got, long long want) {
    if (got != want) Fail(line, what, "got " + std::to_string(got) + ", want " + std::to_string(want));
}

#define EXPECT_TEXT(got, want) ExpectText(__LINE__, #got, (got), (want))
#define EXPECT_NUMBER(got, want) ExpectNumber(__LINE__, #got, static_cast<long long>(got), static_cast<long long>(want))
#define EXPECT_TRUE(condition) ((condition) ? (void)0 : Fail(__LINE__, #condition, ""))

// Distinct addresses to store and read back; the library only keeps them.
template <typename T>
T* Token(int n) {
    static char storage[8];
    return reinterpret_cast<T*>(&storage[n]);
}

class Settings : public ITavroKessaUIHost {
public:
    int windowColourAsked = 0;
    int flagsAsked = 0;
    COLORREF GetColor(int index) override {
        if (index == COLOR_WINDOW) ++windowColourAsked;
        return GetSysColor(index);
    }
    unsigned int GetDisplayFlags() override {
        ++flagsAsked;
        return 0;
    }
};

class SigninEvents : public ITavroKessaSigninDialogEvents {
public:
    bool OnQueryKessaList(TavroKessaSigninDialogParams*, HWND, const char*, std::vector<std::string>* names) override {
        names->push_back("main");
        return true;
    }
    bool OnLogin(TavroKessaSigninDialogParams*, HWND) override { return true; }
};

class HistoryEvents : public ITavroKessaHistoryDialogEvents {
public:
    bool CanGetVersion(int, HWND) override { return true; }
    bool OnGetVersion(int, bool, HWND) override { return true; }
};

class ProgressEvents : public ITavroKessaProgressDialogEvents {
public:
    void OnCancel(TavroKessaProgressDialogParams*) override {}
};

// Fills the list from OnOpenEntry(-1) through every operation of the dialog
// interface, so that those calls cross the boundary the other way too.
class ExploreEvents : public ITavroKessaExploreDialogEvents {
public:
    int fills = 0;
    int lastFolderAsked = 0;
    int operationsRefused = 0;
    std::string extensionsSeen;

    bool OnInitDialog(ITavroKessaExploreDialog*) override { return true; }
    bool OnOpenEntry(ITavroKessaExploreDialog* dialog, int index) override {
        if (index != -1) return true;
        ++fills;
        TavroKessaExploreDialogEntry folder, file, root;
        folder.SetDisplayName("src");
        folder.SetFolder(true);
        folder.SetIndex(1);
        file.SetDisplayName("README.md");
        file.SetIndex(2);
        root.SetDisplayName("$/");
        root.SetFolder(true);
        bool results[] = {dialog->ClearEntries(),           dialog->AddListEntry(&folder),
                          dialog->AddListEntry(&file),      dialog->ClearLookIn(),
                          dialog->AddLookInEntry(&root, true), dialog->Redraw()};
        for (bool done : results)
            if (!done) ++operationsRefused;
        const char* extensions = dialog->GetCurrentFilterExtensions();
        extensionsSeen = extensions != nullptr ? extensions : "(null)";
        return true;
    }
    bool OnOpen(ITavroKessaExploreDialog*, std::vector<int>) override { return true; }
    bool OnLookInSelected(ITavroKessaExploreDialog*, int, int) override { return true; }
    bool OnUpOneLevel(ITavroKessaExploreDialog*) override { return true; }
    bool OnGoToLastFolder(ITavroKessaExploreDialog*) override { return true; }
    bool CanGoToLastFolder(ITavroKessaExploreDialog*) override {
        ++lastFolderAsked;
        return false;
    }
    bool GetSelectionText(ITavroKessaExploreDialog*, std::vector<int>, std::string& text) override {
        text = "a text the host allocated";
        return true;
    }
};

// --- Records -----------------------------------------------------------------

void CheckSigninRecord() {
    TavroKessaSigninDialogParams record;
    EXPECT_TEXT(record.GetUser(), "");  // never null, even unset
    record.SetKessaVersion("7.2");
    record.SetAutoLogin(true);
    record.SetUser("bob");
    record.SetPassword("secret");
    record.SetServer("kessa01");
    record.SetKessa("main");
    std::vector<std::string> servers{"kessa01", "kessa02"}, databases{"main"};
    record.SetServerList(&servers);
    record.SetKessaList(&databases);
    SigninEvents events;
    record.SetITavroKessaSigninDialogEvents(&events);
    record.SetUser(nullptr);  // a null text leaves the field as it was
    EXPECT_TEXT(record.GetKessaVersion(), "7.2");
    EXPECT_TRUE(record.GetAutoLogin());
    EXPECT_TEXT(record.GetUser(), "bob");
    EXPECT_TEXT(record.GetPassword(), "secret");
    EXPECT_TEXT(record.GetServer(), "kessa01");
    EXPECT_TEXT(record.GetKessa(), "main");
    EXPECT_TRUE(record.GetServerList() == &servers);
    EXPECT_TRUE(record.GetKessaList() == &databases);
    EXPECT_TRUE(record.GetITavroKessaSigninDialogEvents() == &events);
}

void CheckOptionsRecord() {
    TavroKessaOptionsDialogParams record;
    record.SetWorkingFolder("C:\\Kessa");
    record.SetEnforceWorkingFolder(true);
    record.SetAutoLogin(false);
    EXPECT_TEXT(record.GetWorkingFolder(), "C:\\Kessa");
    EXPECT_TRUE(record.GetEnforceWorkingFolder());
    EXPECT_TRUE(!record.GetAutoLogin());
}

void CheckExploreRecords() {
    TavroKessaExploreDialogEntry entry;
    entry.SetDisplayName("Engine.cpp");
    entry.SetFolder(true);
    entry.SetIndex(41);
    EXPECT_TEXT(entry.GetDisplayName(), "Engine.cpp");
    EXPECT_TRUE(entry.IsFolder());
    EXPECT_NUMBER(entry.GetIndex(), 41);

    TavroKessaExploreDialogParams record;
    record.SetTitle("Open from Kessa");
    record.SetMultipleSelections(true);
    record.SetRootEntry(&entry);
    record.SetITavroKessaExploreDialogEvents(Token<ITavroKessaExploreDialogEvents>(1));
    EXPECT_TEXT(record.GetTitle(), "Open from Kessa");
    EXPECT_TRUE(record.GetMultipleSelections());
    EXPECT_TRUE(record.GetRootEntry() == &entry);
    EXPECT_TRUE(record.GetITavroKessaExploreDialogEvents() == Token<ITavroKessaExploreDialogEvents>(1));
    EXPECT_NUMBER(record.AddFilter("All files (*.*)", "*.*"), 1);
    EXPECT_NUMBER(record.AddFilter("C++ files", "*.cpp;*.h"), 2);
    EXPECT_NUMBER(record.AddFilter(nullptr, "*.x"), 0);
    EXPECT_NUMBER(record.NumFilters(), 2);
    EXPECT_TEXT(record.GetFilterName(1), "C++ files");
    EXPECT_TEXT(record.GetFilterExtensions(1), "*.cpp;*.h");
    // The host grows the library's vector and the library frees it: one heap.
    for (int i = 0; i < 1000; ++i) record.GetSelections().push_back(i);
    EXPECT_NUMBER(record.GetSelections().size(), 1000);
    EXPECT_NUMBER(record.GetSelections()[999], 999);
}

void CheckHistoryRecords() {
    TavroKessaFileHistoryEntry entry;
    entry.SetEntry(7);
    entry.SetLatestVer(36);
    entry.SetLastModDateLatest("2026-12-08 10:00");
    entry.SetLastModDateLatestSortVal(0x7000000000000001LL);
    entry.SetUserName("dana");
    entry.SetComment("Fixed the engine\nand more");
    EXPECT_NUMBER(entry.GetEntry(), 7);
    EXPECT_NUMBER(entry.GetLatestVer(), 36);
    EXPECT_TEXT(entry.GetLastModDateLatest(), "2026-12-08 10:00");
    EXPECT_NUMBER(entry.GetLastModDateLatestSortValue(), 0x7000000000000001LL);
    EXPECT_TEXT(entry.GetUserName(), "dana");  // windows.h's name: ...A, or ...W under UNICODE
    EXPECT_TEXT(entry.GetComment(), "Fixed the engine\nand more");

    TavroKessaHistoryDialogParams record;
    record.SetKessaPath("$/src/core/Engine.cpp");
    record.SetLocalVer(34);
    EXPECT_TRUE(record.AddEntry(&entry));
    EXPECT_TRUE(!record.AddEntry(nullptr));
    record.SetITavroKessaHistoryDialogEvents(Token<ITavroKessaHistoryDialogEvents>(2));
    EXPECT_TEXT(record.GetKessaPath(), "$/src/core/Engine.cpp");
    EXPECT_NUMBER(record.GetLocalVer(), 34);
    EXPECT_NUMBER(record.NumEntries(), 1);
    EXPECT_TRUE(record.GetEntry(0) == &entry);
    EXPECT_TRUE(record.GetITavroKessaHistoryDialogEvents() == Token<ITavroKessaHistoryDialogEvents>(2));
}

void CheckPropertyRecord() {
    TavroKessaPropertyDialogParams record;
    record.SetKessaPath("$/src/core/Engine.cpp");
    record.SetLocalPath("C:\\Kessa\\src\\core\\Engine.cpp");
    record.SetLatestVer(36);
    record.SetLocalVer(34);
    record.SetLastModDateLocal("2026-12-01");
    record.SetLastModDateLatest("2026-12-08");
    record.SetCheckedOut(true);
    record.SetUserName("bob");
    EXPECT_TEXT(record.GetKessaPath(), "$/src/core/Engine.cpp");
    EXPECT_TEXT(record.GetLocalPath(), "C:\\Kessa\\src\\core\\Engine.cpp");
    EXPECT_NUMBER(record.GetLatestVer(), 36);
    EXPECT_NUMBER(record.GetLocalVer(), 34);
    EXPECT_TEXT(record.GetLastModDateLocal(), "2026-12-01");
    EXPECT_TEXT(record.GetLastModDateLatest(), "2026-12-08");
    EXPECT_TRUE(record.GetCheckedOut());
    EXPECT_TEXT(record.GetUserName(), "bob");
}

void CheckProgressRecord() {
    TavroKessaProgressDialogParams record;
    record.SetCaption("Get Latest");
    record.SetMessage("Getting 53 files");
    record.SetFile("Engine.cpp");
    record.SetProgress(42);
    record.SetITavroKessaProgressDialogEvents(Token<ITavroKessaProgressDialogEvents>(3));
    EXPECT_TEXT(record.GetCaption(), "Get Latest");
    EXPECT_TEXT(record.GetMessage(), "Getting 53 files");  // windows.h's name, as GetUserName
    EXPECT_TEXT(record.GetFile(), "Engine.cpp");
    EXPECT_NUMBER(record.GetProgress(), 42);
    EXPECT_TRUE(record.GetITavroKessaProgressDialogEvents() == Token<ITavroKessaProgressDialogEvents>(3));

    // Made by the host's new, destroyed through the library's deleting destructor.
    TavroKessaProgressDialogParams* onHeap = new TavroKessaProgressDialogParams();
    onHeap->SetFile(std::string(4096, 'x').c_str());
    delete onHeap;
}

// --- The service -------------------------------------------------------------

// One modal operation: it must show a window (answered by closer::Tick) and
// return `want`.
template <typename Operation>
void ExpectModal(int line, const char* what, long long want, Operation operation) {
    closer::Get().answered = 0;
    closer::Get().armed = true;
    long long got = static_cast<long long>(operation());
    closer::Get().armed = false;
    ExpectNumber(line, what, got, want);
    if (closer::Get().answered == 0) Fail(line, what, "returned without showing a window");
}
#define EXPECT_MODAL(operation, want) ExpectModal(__LINE__, #operation, (want), [&] { return (operation); })

void CheckService() {
    ITavroKessaUI* ui = GetITavroKessaUI();
    if (ui == nullptr) {
        Fail(__LINE__, "GetITavroKessaUI", "null");
        return;
    }
    Settings settings;
    ui->SetHost(&settings);

    EXPECT_NUMBER(ui->ShowSigninDialog(nullptr, nullptr), -1);
    EXPECT_NUMBER(ui->ShowOptionsDialog(nullptr, nullptr), -1);
    EXPECT_NUMBER(ui->ShowPropertyDialog(nullptr, nullptr), -1);
    EXPECT_NUMBER(ui->ShowHistoryDialog(nullptr, nullptr), -1);
    EXPECT_NUMBER(ui->ShowExploreDialog(nullptr, nullptr), -1);

    EXPECT_MODAL(ui->ShowMessage(nullptr, "Check in the changes?", "Kessa",
                                 TAVROKESSA_MSG_QUESTION | TAVROKESSA_MSG_YESNOCANCEL),
                 TAVROKESSA_ANSWER_CANCEL);

    TavroKessaSigninDialogParams signin;
    std::vector<std::string> servers{"kessa01", "kessa02"};
    SigninEvents signinEvents;
    signin.SetKessaVersion("7.2");
    signin.SetUser("bob");
    signin.SetServerList(&servers);
    signin.SetITavroKessaSigninDialogEvents(&signinEvents);
    EXPECT_MODAL(ui->ShowSigninDialog(nullptr, &signin), 0);

    TavroKessaOptionsDialogParams options;
    options.SetWorkingFolder("C:\\Kessa");
    EXPECT_MODAL(ui->ShowOptionsDialog(nullptr, &options), 0);

    TavroKessaPropertyDialogParams properties;
    properties.SetKessaPath("$/src/core/Engine.cpp");
    properties.SetUserName("bob");
    EXPECT_MODAL(ui->ShowPropertyDialog(nullptr, &properties), 1);

    TavroKessaHistoryDialogParams history;
    TavroKessaFileHistoryEntry rows[2];
    for (int i = 0; i < 2; ++i) {
        rows[i].SetEntry(i);
        rows[i].SetLatestVer(2 - i);
        rows[i].SetUserName(i == 0 ? "dana" : "bob");
        rows[i].SetComment("a change");
        history.AddEntry(&rows[i]);
    }
    HistoryEvents historyEvents;
    history.SetKessaPath("$/src/core/Engine.cpp");
    history.SetITavroKessaHistoryDialogEvents(&historyEvents);
    EXPECT_MODAL(ui->ShowHistoryDialog(nullptr, &history), 1);
    EXPECT_TRUE(settings.windowColourAsked > 0);  // the list takes the host's colours

    TavroKessaExploreDialogParams explore;
    ExploreEvents exploreEvents;
    explore.SetTitle("Open from Kessa");
    explore.AddFilter("C++ files", "*.cpp;*.h");
    explore.SetITavroKessaExploreDialogEvents(&exploreEvents);
    EXPECT_MODAL(ui->ShowExploreDialog(nullptr, &explore), 0);
    EXPECT_TRUE(exploreEvents.fills > 0);
    EXPECT_NUMBER(exploreEvents.operationsRefused, 0);
    EXPECT_TRUE(exploreEvents.lastFolderAsked > 0);  // ClearLookIn asks the host back
    EXPECT_TEXT(exploreEvents.extensionsSeen.c_str(), "*.cpp;*.h");

    // The folder picker needs a single-threaded apartment; the path is written only on 1.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char path[MAX_PATH] = "unchanged";
    EXPECT_MODAL(ui->BrowseForFolder(nullptr, "Choose a folder", path), 0);
    EXPECT_TEXT(path, "unchanged");
    CoUninitialize();

    EXPECT_TRUE(settings.flagsAsked > 0);  // "topmost?" is asked for the windows above

    TavroKessaProgressDialogParams progress;
    ProgressEvents progressEvents;
    progress.SetCaption("Get Latest");
    progress.SetITavroKessaProgressDialogEvents(&progressEvents);
    EXPECT_NUMBER(ui->UpdateProgressDialog(&progress), 0);  // nothing open yet
    EXPECT_NUMBER(ui->OpenProgressDialog(nullptr, &progress), 1);
    progress.SetFile("Engine.cpp");
    progress.SetProgress(50);
    EXPECT_NUMBER(ui->UpdateProgressDialog(&progress), 1);
    EXPECT_NUMBER(ui->CloseProgressDialog(), 1);
    EXPECT_NUMBER(ui->CloseProgressDialog(), 0);

    ReleaseITavroKessaUI(ui);
    ReleaseITavroKessaUI(nullptr);
}

// --- The version -------------------------------------------------------------

// VERSIONINFO and the manifest inside the DLL say the version that the package
// (its CMake configuration, its pkg-config file) says.
void CheckVersion() {
    HMODULE module = GetModuleHandleA("tavrokessaui.dll");
    if (module == nullptr) {
        Fail(__LINE__, "GetModuleHandleA(tavrokessaui.dll)", "not loaded");
        return;
    }
    char file[MAX_PATH] = "";
    GetModuleFileNameA(module, file, MAX_PATH);
    DWORD size = GetFileVersionInfoSizeA(file, nullptr);
    std::vector<char> info(size != 0 ? size : 1);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (size == 0 || !GetFileVersionInfoA(file, 0, size, info.data()) ||
        !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || fixed == nullptr) {
        Fail(__LINE__, "VERSIONINFO", "not readable");
    } else {
        char version[64];
        std::snprintf(version, sizeof version, "%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS));
        EXPECT_TEXT(version, TK_EXPECTED_VERSION);
    }

    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const char* text = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (text == nullptr) {
        Fail(__LINE__, "manifest resource 2", "missing");
        return;
    }
    std::string manifest(text, SizeofResource(module, found));
    std::string::size_type begin = manifest.find("<assemblyIdentity");
    std::string identity = begin == std::string::npos ? "" : manifest.substr(begin, manifest.find("/>", begin) - begin);
    std::string::size_type at = identity.find(" version=\"");
    std::string version =
        at == std::string::npos ? "(none)" : identity.substr(at + 10, identity.find('"', at + 10) - at - 10);
    EXPECT_TEXT(version.c_str(), TK_EXPECTED_VERSION ".0");
}

}  // namespace

int main() {
    closer::Start(120000);
    CheckSigninRecord();
    CheckOptionsRecord();
    CheckExploreRecords();
    CheckHistoryRecords();
    CheckPropertyRecord();
    CheckProgressRecord();
    CheckService();
    CheckVersion();
#if defined(UNICODE)
    const char* mode = "UNICODE";
#else
    const char* mode = "ANSI";
#endif
#if defined(__clang__)
    const char* compiler = "clang";
#else
    const char* compiler = "GCC";
#endif
    std::printf("package host (%s, %s): %s, %d mismatches\n", compiler, mode, g_failures == 0 ? "ok" : "FAILED",
                g_failures);
    return g_failures == 0 ? 0 : 1;
}
