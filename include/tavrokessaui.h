// tavrokessaui.h - the whole public interface of tavrokessaui.dll.
//
// A host includes this one header, links against libtavrokessaui.dll.a (or loads
// the DLL and looks up GetITavroKessaUI / ReleaseITavroKessaUI), fills the
// parameter objects below and calls the one service object.
//
// Binary contract (x86_64, mingw-w64 C++ ABI):
//  * The order of the virtual members of every class and interface below is part
//    of the ABI and never changes. Interfaces list their operations first; where an
//    interface has a virtual destructor it comes after the operations (under this
//    ABI a virtual destructor takes two vtable entries).
//  * Event interfaces and the host settings interface are implemented by the host.
//    They declare no virtual destructor, so the listed operations are their first
//    vtable entries.
//  * std::string and std::vector cross the boundary: build the host with the same
//    toolchain (one C runtime heap), as the library's own tests and demo are.
//  * All text is narrow (ANSI) and NUL-terminated. Accessors whose names windows.h
//    rewrites (GetUserName, GetMessage) are declared under their ...A names, with an
//    inline ...W forwarder for UNICODE hosts.
#ifndef TAVROKESSAUI_H
#define TAVROKESSAUI_H

#include <windows.h>

#include <string>
#include <vector>

#if defined(TAVROKESSAUI_BUILD)
#define TAVROKESSAUI_API __declspec(dllexport)
#else
#define TAVROKESSAUI_API __declspec(dllimport)
#endif

class TavroKessaSigninDialogParams;
class TavroKessaOptionsDialogParams;
class TavroKessaExploreDialogEntry;
class TavroKessaExploreDialogParams;
class TavroKessaFileHistoryEntry;
class TavroKessaHistoryDialogParams;
class TavroKessaPropertyDialogParams;
class TavroKessaProgressDialogParams;

// ---------------------------------------------------------------------------
// Host settings object: implemented by the host, handed to the service with
// ITavroKessaUI::SetHost. May be absent.
// ---------------------------------------------------------------------------
class ITavroKessaUIHost {
public:
    // Entry 0 belongs to the host; the library never calls it.
    virtual void HostReserved() {}
    // A colour for a system colour index (COLOR_WINDOW, COLOR_WINDOWTEXT,
    // COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT are the ones asked for).
    virtual COLORREF GetColor(int index) = 0;
    // Bit 0: make dialogs and message boxes topmost. Other bits are ignored.
    virtual unsigned int GetDisplayFlags() = 0;

protected:
    ~ITavroKessaUIHost() = default;
};

// Flag bits of ITavroKessaUI::ShowMessage.
enum : unsigned int {
    TAVROKESSA_MSG_INFORMATION = 0x01,
    TAVROKESSA_MSG_WARNING = 0x02,
    TAVROKESSA_MSG_ERROR = 0x04,
    TAVROKESSA_MSG_QUESTION = 0x08,
    TAVROKESSA_MSG_OKCANCEL = 0x20,
    TAVROKESSA_MSG_YESNO = 0x40,
    TAVROKESSA_MSG_YESNOCANCEL = 0x80,
};

// Results of ITavroKessaUI::ShowMessage.
enum : int {
    TAVROKESSA_ANSWER_CANCEL = 0,  // Cancel, Escape, Retry, any other button, failure
    TAVROKESSA_ANSWER_OK = 1,
    TAVROKESSA_ANSWER_YES = 2,
    TAVROKESSA_ANSWER_NO = 3,
};

// Bit 0 of ITavroKessaUIHost::GetDisplayFlags.
enum : unsigned int { TAVROKESSA_DISPLAY_TOPMOST = 0x01 };

// ---------------------------------------------------------------------------
// The service object.
// ---------------------------------------------------------------------------
class ITavroKessaUI {
public:
    // Stores the host settings object (not owned; null means none).
    virtual void SetHost(ITavroKessaUIHost* host) = 0;
    // Message box: flags as TAVROKESSA_MSG_*; result as TAVROKESSA_ANSWER_*.
    virtual INT_PTR ShowMessage(HWND owner, const char* text, const char* caption, unsigned int flags) = 0;
    // Modal dialogs: the dialog's end value, or -1 when it cannot be shown
    // (a null record, a dialog that cannot be created).
    virtual INT_PTR ShowOptionsDialog(HWND parent, TavroKessaOptionsDialogParams* params) = 0;
    virtual INT_PTR ShowSigninDialog(HWND parent, TavroKessaSigninDialogParams* params) = 0;
    // Shell folder picker. `path` must hold MAX_PATH characters; it is written only
    // when the result is 1. The calling thread must have COM initialised (STA).
    virtual INT_PTR BrowseForFolder(HWND owner, const char* title, char* path) = 0;
    virtual INT_PTR ShowPropertyDialog(HWND parent, TavroKessaPropertyDialogParams* params) = 0;
    virtual INT_PTR ShowHistoryDialog(HWND parent, TavroKessaHistoryDialogParams* params) = 0;
    virtual INT_PTR ShowExploreDialog(HWND parent, TavroKessaExploreDialogParams* params) = 0;
    // Modeless progress window: 1 when created (an open one is closed first), else 0.
    virtual INT_PTR OpenProgressDialog(HWND parent, TavroKessaProgressDialogParams* params) = 0;
    // 1 when a progress window is open and was refreshed, else 0.
    virtual INT_PTR UpdateProgressDialog(TavroKessaProgressDialogParams* params) = 0;
    // 1 when a progress window was destroyed, 0 when none was open.
    virtual INT_PTR CloseProgressDialog() = 0;

protected:
    // Destroy the object with ReleaseITavroKessaUI, never with delete.
    virtual ~ITavroKessaUI() = default;
};

extern "C" {
// A new, independent service object, or null when memory runs out.
TAVROKESSAUI_API ITavroKessaUI* GetITavroKessaUI();
// Destroys a service object made by GetITavroKessaUI (null is ignored). An open
// progress window is closed.
TAVROKESSAUI_API void ReleaseITavroKessaUI(ITavroKessaUI* ui);
}

// ---------------------------------------------------------------------------
// Parameter objects. Text getters never return null (empty when unset) and the
// pointer stays valid until the field is set again or the object is destroyed.
// Text setters copy; a null text leaves the field unchanged. Pointers to lists,
// entries and event interfaces are borrowed, never freed.
// ---------------------------------------------------------------------------

class ITavroKessaSigninDialogEvents {
public:
    // "..." was pressed: fill `names` (emptied before the call) with the databases
    // of `server`. True shows the chooser.
    virtual bool OnQueryKessaList(TavroKessaSigninDialogParams* record, HWND dialog, const char* server,
                                  std::vector<std::string>* names) = 0;
    // OK was pressed and the entries are in `record`. True closes the dialog.
    virtual bool OnLogin(TavroKessaSigninDialogParams* record, HWND dialog) = 0;

protected:
    ~ITavroKessaSigninDialogEvents() = default;
};

class TAVROKESSAUI_API TavroKessaSigninDialogParams {
public:
    TavroKessaSigninDialogParams();
    virtual ~TavroKessaSigninDialogParams();
    virtual const char* GetKessaVersion();
    virtual void SetKessaVersion(const char* text);
    virtual bool GetAutoLogin();
    virtual void SetAutoLogin(bool value);
    virtual const char* GetUser();
    virtual void SetUser(const char* text);
    virtual const char* GetPassword();
    virtual void SetPassword(const char* text);
    virtual const char* GetServer();
    virtual void SetServer(const char* text);
    virtual const char* GetKessa();
    virtual void SetKessa(const char* text);
    virtual std::vector<std::string>* GetServerList();
    virtual void SetServerList(std::vector<std::string>* list);
    virtual std::vector<std::string>* GetKessaList();
    virtual void SetKessaList(std::vector<std::string>* list);
    virtual ITavroKessaSigninDialogEvents* GetITavroKessaSigninDialogEvents();
    virtual void SetITavroKessaSigninDialogEvents(ITavroKessaSigninDialogEvents* events);

private:
    bool m_autoLogin;
    std::string m_kessaVersion;
    std::string m_user;
    std::string m_password;
    std::string m_server;
    std::string m_kessa;
    std::vector<std::string>* m_serverList;
    std::vector<std::string>* m_kessaList;
    ITavroKessaSigninDialogEvents* m_events;
};

class TAVROKESSAUI_API TavroKessaOptionsDialogParams {
public:
    TavroKessaOptionsDialogParams();
    virtual ~TavroKessaOptionsDialogParams();
    virtual const char* GetWorkingFolder();
    virtual void SetWorkingFolder(const char* text);
    virtual bool GetEnforceWorkingFolder();
    virtual void SetEnforceWorkingFolder(bool value);
    virtual bool GetAutoLogin();
    virtual void SetAutoLogin(bool value);

private:
    std::string m_workingFolder;
    bool m_enforceWorkingFolder;
    bool m_autoLogin;
};

class TAVROKESSAUI_API TavroKessaExploreDialogEntry {
public:
    TavroKessaExploreDialogEntry();
    virtual ~TavroKessaExploreDialogEntry();
    virtual const char* GetDisplayName();
    virtual void SetDisplayName(const char* text);
    virtual bool IsFolder();
    virtual void SetFolder(bool folder);
    virtual int GetIndex();
    virtual void SetIndex(int index);

private:
    std::string m_displayName;
    int m_index;
    bool m_folder;
};

class ITavroKessaExploreDialog;

// Implemented by the host; every event receives the dialog, through which the
// host fills and ends it (re-entrantly, from inside the event).
class ITavroKessaExploreDialogEvents {
public:
    virtual bool OnInitDialog(ITavroKessaExploreDialog* dialog) = 0;
    // -1: (re)fill the current folder; otherwise the index of a double-clicked entry.
    virtual bool OnOpenEntry(ITavroKessaExploreDialog* dialog, int index) = 0;
    virtual bool OnOpen(ITavroKessaExploreDialog* dialog, std::vector<int> selection) = 0;
    virtual bool OnLookInSelected(ITavroKessaExploreDialog* dialog, int position, int count) = 0;
    virtual bool OnUpOneLevel(ITavroKessaExploreDialog* dialog) = 0;
    virtual bool OnGoToLastFolder(ITavroKessaExploreDialog* dialog) = 0;
    virtual bool CanGoToLastFolder(ITavroKessaExploreDialog* dialog) = 0;
    virtual bool GetSelectionText(ITavroKessaExploreDialog* dialog, std::vector<int> selection, std::string& text) = 0;

protected:
    ~ITavroKessaExploreDialogEvents() = default;
};

// The explore dialog as the host sees it while it is open.
class ITavroKessaExploreDialog {
public:
    virtual bool AddListEntry(TavroKessaExploreDialogEntry* entry) = 0;
    virtual bool ClearEntries() = 0;
    virtual bool AddLookInEntry(TavroKessaExploreDialogEntry* entry, bool select) = 0;
    virtual bool ClearLookIn() = 0;
    // 1: record the selected indices and end with 1; any other value: end with 0.
    virtual bool EndExplore(INT_PTR result) = 0;
    virtual const char* GetCurrentFilterExtensions() = 0;
    virtual bool Redraw() = 0;

protected:
    virtual ~ITavroKessaExploreDialog() = default;
};

class TAVROKESSAUI_API TavroKessaExploreDialogParams {
public:
    TavroKessaExploreDialogParams();
    virtual ~TavroKessaExploreDialogParams();
    virtual const char* GetTitle();
    virtual void SetTitle(const char* text);
    virtual bool GetMultipleSelections();
    virtual void SetMultipleSelections(bool multiple);
    virtual TavroKessaExploreDialogEntry* GetRootEntry();
    virtual void SetRootEntry(TavroKessaExploreDialogEntry* entry);
    virtual ITavroKessaExploreDialogEvents* GetITavroKessaExploreDialogEvents();
    virtual void SetITavroKessaExploreDialogEvents(ITavroKessaExploreDialogEvents* events);
    virtual std::vector<int>& GetSelections();
    // Returns the number of filters after the addition, or 0 for a null argument.
    virtual unsigned int AddFilter(const char* name, const char* extensions);
    virtual unsigned int NumFilters();
    virtual const char* GetFilterName(unsigned int index);
    virtual const char* GetFilterExtensions(unsigned int index);

private:
    std::string m_title;
    TavroKessaExploreDialogEntry* m_rootEntry;
    ITavroKessaExploreDialogEvents* m_events;
    std::vector<int> m_selections;
    std::vector<std::string> m_filterNames;
    std::vector<std::string> m_filterExtensions;
    unsigned int m_flags;
};

class TAVROKESSAUI_API TavroKessaFileHistoryEntry {
public:
    TavroKessaFileHistoryEntry();
    virtual ~TavroKessaFileHistoryEntry();
    virtual int GetEntry();
    virtual void SetEntry(int entry);
    virtual int GetLatestVer();
    virtual void SetLatestVer(int version);
    virtual const char* GetLastModDateLatest();
    virtual void SetLastModDateLatest(const char* text);
    virtual long long GetLastModDateLatestSortValue();
    virtual void SetLastModDateLatestSortVal(long long key);
    virtual const char* GetUserNameA();
    // windows.h turns GetUserName into GetUserNameW under UNICODE: not virtual, so no vtable slot is added.
    const char* GetUserNameW() { return GetUserNameA(); }
    virtual void SetUserName(const char* text);
    virtual const char* GetComment();
    virtual void SetComment(const char* text);

private:
    int m_entry;
    int m_latestVer;
    std::string m_lastModDateLatest;
    long long m_lastModDateLatestSortValue;
    std::string m_userName;
    std::string m_comment;
};

class ITavroKessaHistoryDialogEvents {
public:
    virtual bool CanGetVersion(int entry, HWND dialog) = 0;
    virtual bool OnGetVersion(int entry, bool flag, HWND dialog) = 0;

protected:
    ~ITavroKessaHistoryDialogEvents() = default;
};

class TAVROKESSAUI_API TavroKessaHistoryDialogParams {
public:
    TavroKessaHistoryDialogParams();
    virtual ~TavroKessaHistoryDialogParams();
    virtual const char* GetKessaPath();
    virtual void SetKessaPath(const char* text);
    virtual int GetLocalVer();
    virtual void SetLocalVer(int version);
    // Borrowed; null is refused.
    virtual bool AddEntry(TavroKessaFileHistoryEntry* entry);
    virtual unsigned int NumEntries();
    virtual TavroKessaFileHistoryEntry* GetEntry(unsigned int index);
    virtual ITavroKessaHistoryDialogEvents* GetITavroKessaHistoryDialogEvents();
    virtual void SetITavroKessaHistoryDialogEvents(ITavroKessaHistoryDialogEvents* events);

private:
    std::string m_kessaPath;
    int m_localVer;
    std::vector<TavroKessaFileHistoryEntry*> m_entries;
    ITavroKessaHistoryDialogEvents* m_events;
};

class TAVROKESSAUI_API TavroKessaPropertyDialogParams {
public:
    TavroKessaPropertyDialogParams();
    virtual ~TavroKessaPropertyDialogParams();
    virtual const char* GetKessaPath();
    virtual void SetKessaPath(const char* text);
    virtual const char* GetLocalPath();
    virtual void SetLocalPath(const char* text);
    virtual int GetLatestVer();
    virtual void SetLatestVer(int version);
    virtual int GetLocalVer();
    virtual void SetLocalVer(int version);
    virtual const char* GetLastModDateLocal();
    virtual void SetLastModDateLocal(const char* text);
    virtual const char* GetLastModDateLatest();
    virtual void SetLastModDateLatest(const char* text);
    virtual bool GetCheckedOut();
    virtual void SetCheckedOut(bool checkedOut);
    virtual const char* GetUserNameA();
    // windows.h turns GetUserName into GetUserNameW under UNICODE: not virtual, so no vtable slot is added.
    const char* GetUserNameW() { return GetUserNameA(); }
    virtual void SetUserName(const char* text);

private:
    std::string m_kessaPath;
    std::string m_localPath;
    int m_latestVer;
    int m_localVer;
    std::string m_lastModDateLocal;
    std::string m_lastModDateLatest;
    bool m_checkedOut;
    std::string m_userName;
};

class ITavroKessaProgressDialogEvents {
public:
    // Cancel was pressed (possibly reported again by later updates).
    virtual void OnCancel(TavroKessaProgressDialogParams* record) = 0;

protected:
    ~ITavroKessaProgressDialogEvents() = default;
};

class TAVROKESSAUI_API TavroKessaProgressDialogParams {
public:
    TavroKessaProgressDialogParams();
    virtual ~TavroKessaProgressDialogParams();
    virtual const char* GetCaption();
    virtual void SetCaption(const char* text);
    virtual const char* GetMessageA();
    // windows.h turns GetMessage into GetMessageW under UNICODE: not virtual, so no vtable slot is added.
    const char* GetMessageW() { return GetMessageA(); }
    virtual void SetMessage(const char* text);
    virtual const char* GetFile();
    virtual void SetFile(const char* text);
    virtual int GetProgress();
    virtual void SetProgress(int percent);
    virtual ITavroKessaProgressDialogEvents* GetITavroKessaProgressDialogEvents();
    virtual void SetITavroKessaProgressDialogEvents(ITavroKessaProgressDialogEvents* events);

private:
    std::string m_caption;
    std::string m_message;
    std::string m_file;
    int m_progress;
    ITavroKessaProgressDialogEvents* m_events;
};

#endif  // TAVROKESSAUI_H
