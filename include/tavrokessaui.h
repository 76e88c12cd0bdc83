// tavrokessaui.h - the whole public interface of tavrokessaui.dll.
//
// A host includes this one header, links against libtavrokessaui.dll.a (or loads
// the DLL and looks up GetITavroKessaUI / ReleaseITavroKessaUI), fills the
// parameter objects below and calls the one service object. The host guide
// (docs/host-guide.md) gives each dialog's timeline of events and the rules below
// at length.
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
//    toolchain (mingw-w64, libstdc++, msvcrt, linked -static), as the library's own
//    tests and demo are. MSVC and UCRT builds cannot pass these types.
//  * All text is narrow (ANSI) and NUL-terminated. Accessors whose names windows.h
//    rewrites (GetUserName, GetMessage) are declared under their ...A names, with an
//    inline ...W forwarder for UNICODE hosts.
//
// Threads: a service object, its dialogs and its progress window belong to the
// thread that calls it (the host's user-interface thread; one service object per
// such thread). Nothing is locked; calls from another thread are not supported,
// and CloseProgressDialog from another thread is refused with 0.
//
// While a dialog is open (the rules every dialog keeps):
//  * Events are called on the calling thread, from inside the service operation.
//    A handler may show windows of its own (the dialog's window, where it is
//    passed, is their parent), call other operations of the service (a nested
//    dialog, a message box) and run a message loop of its own.
//  * While an event of a dialog runs, the user's input that would start another
//    event of the same dialog is not acted on (a second OK, "...", Get Version,
//    Open, a navigation). Cancel, Escape and the close box always work: the dialog
//    disappears at once and ends when the event returns.
//  * The first end stands: a later end (an OnLogin that accepts after the user
//    cancelled, EndExplore after Cancel, a second EndExplore) changes neither the
//    result nor the record. No event is called after a dialog has ended.
//  * A C++ exception thrown by an event ends a modal dialog with -1 (the progress
//    window carries on); no exception leaves the library.
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
// ITavroKessaUI::SetHost. May be absent. Borrowed: keep it alive while the
// service may use it.
// ---------------------------------------------------------------------------
class ITavroKessaUIHost {
public:
    // Entry 0 belongs to the host; the library never calls it.
    virtual void HostReserved() {}
    // A colour for a system colour index (COLOR_WINDOW, COLOR_WINDOWTEXT,
    // COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT are the ones asked for): the history
    // list's colours at its start, and every item the explore dialog's "Look in:"
    // list draws. Without a host those use the system's colours.
    virtual COLORREF GetColor(int index) = 0;
    // Bit 0: make dialogs and message boxes topmost. Other bits are ignored. Asked
    // afresh at each message box and at each dialog's start, never cached.
    virtual unsigned int GetDisplayFlags() = 0;

protected:
    ~ITavroKessaUIHost() = default;
};

// Flag bits of ITavroKessaUI::ShowMessage. Bits combine by OR without any check
// of their mix: OKCANCEL | YESNO gives Retry and Cancel, both answering 0.
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
// The service object. Every modal operation returns -1 when its dialog cannot be
// shown (a null record, a window that cannot be created, an event that threw).
// The records are borrowed for the length of the call: the host owns them.
// ---------------------------------------------------------------------------
class ITavroKessaUI {
public:
    // Stores the host settings object (not owned; null means none).
    virtual void SetHost(ITavroKessaUIHost* host) = 0;
    // Message box: flags as TAVROKESSA_MSG_*; result as TAVROKESSA_ANSWER_*.
    virtual INT_PTR ShowMessage(HWND owner, const char* text, const char* caption, unsigned int flags) = 0;
    // Options: 1 after OK; 0 after Cancel, Escape, the close box or a quit
    // message. The entries go back into the record either way (an emptied folder
    // field leaves the folder as it was).
    virtual INT_PTR ShowOptionsDialog(HWND parent, TavroKessaOptionsDialogParams* params) = 0;
    // Sign-in: 1 after an OK that OnLogin accepted; 0 (not IDCANCEL) after Cancel,
    // Escape, the close box or a quit message. The entries go back into the record
    // either way.
    virtual INT_PTR ShowSigninDialog(HWND parent, TavroKessaSigninDialogParams* params) = 0;
    // Shell folder picker: 1 when a file-system folder was chosen, else 0. `path`
    // must hold MAX_PATH characters; it is written only when the result is 1. The
    // calling thread must have COM initialised as a single-threaded apartment.
    virtual INT_PTR BrowseForFolder(HWND owner, const char* title, char* path) = 0;
    // Properties: 1 however it is closed. Nothing is written back.
    virtual INT_PTR ShowPropertyDialog(HWND parent, TavroKessaPropertyDialogParams* params) = 0;
    // History: 1 however it is closed. Nothing is written back.
    virtual INT_PTR ShowHistoryDialog(HWND parent, TavroKessaHistoryDialogParams* params) = 0;
    // Explore: 1 after EndExplore(1), the selection then appended to GetSelections();
    // 0 after Cancel, Escape, the close box, a quit message or EndExplore with any
    // other value; -1 also when the record carries no events object.
    virtual INT_PTR ShowExploreDialog(HWND parent, TavroKessaExploreDialogParams* params) = 0;
    // Modeless progress window: 1 when created (an open one is closed first), else
    // 0. It belongs to the calling thread and takes its input through the host's
    // own message loop. It leaves its owner enabled: a host that wants the owner
    // blocked meanwhile disables it itself. The record is borrowed until the window
    // is closed or another record is given to an update.
    virtual INT_PTR OpenProgressDialog(HWND parent, TavroKessaProgressDialogParams* params) = 0;
    // Refreshes the window from `params` (an empty text keeps what is shown) and
    // reports a click on Cancel that waits in the queue through OnCancel; it
    // dispatches no message. 1 when a window is open, else 0.
    virtual INT_PTR UpdateProgressDialog(TavroKessaProgressDialogParams* params) = 0;
    // 1 when the progress window was destroyed; 0 when none was open, or when
    // called from a thread other than the window's (the window then stays open).
    virtual INT_PTR CloseProgressDialog() = 0;

protected:
    // Destroy the object with ReleaseITavroKessaUI, never with delete.
    virtual ~ITavroKessaUI() = default;
};

extern "C" {
// A new, independent service object, or null when memory runs out.
TAVROKESSAUI_API ITavroKessaUI* GetITavroKessaUI();
// Destroys a service object made by GetITavroKessaUI (null is ignored); an open
// progress window is closed. Released while one of its operations runs (from an
// event, a timer or a message its dialog's loop dispatches), the object stays
// until the outermost operation returns: the dialog goes on and ends as it would
// have, its record is written back as usual, and the object is freed then.
TAVROKESSAUI_API void ReleaseITavroKessaUI(ITavroKessaUI* ui);
}

// ---------------------------------------------------------------------------
// Parameter objects (records). Text getters never return null (empty when
// unset); the pointer stays valid until the field is set again or the record is
// destroyed. Text setters copy; a null text leaves the field unchanged. Setters
// of pointers (lists, entries, events objects) borrow: the host keeps what they
// point at alive while a dialog may use it, and the library never frees it.
// ---------------------------------------------------------------------------

// Sign-in events. Both may run a message loop of their own (see the rules at the
// top); while one runs, OK and "..." are not acted on.
class ITavroKessaSigninDialogEvents {
public:
    // "..." was pressed. `server` is the server field's current text, valid for
    // the call; `record` still holds what it held at the start (or at the last
    // refused OK). Fill `names` (emptied before the call; the library frees it)
    // with the databases to offer, in order. True shows the chooser, whose choice
    // is added to the database field; false shows nothing.
    virtual bool OnQueryKessaList(TavroKessaSigninDialogParams* record, HWND dialog, const char* server,
                                  std::vector<std::string>* names) = 0;
    // OK was pressed and the entries are already in `record`. True closes the
    // dialog with 1; false keeps it open (tell the user why yourself).
    virtual bool OnLogin(TavroKessaSigninDialogParams* record, HWND dialog) = 0;

protected:
    ~ITavroKessaSigninDialogEvents() = default;
};

// Sign-in record. Read at the start; user, password, server, database and the
// check box are written back on OK (before OnLogin) and on Cancel. The lists and
// the events object are borrowed.
class TAVROKESSAUI_API TavroKessaSigninDialogParams {
public:
    TavroKessaSigninDialogParams();
    virtual ~TavroKessaSigninDialogParams();
    // Shown in the title, "Calvex Kessa <version> Log In"; copied.
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
    // Offered in the server and database drop-downs; borrowed, never changed.
    virtual std::vector<std::string>* GetServerList();
    virtual void SetServerList(std::vector<std::string>* list);
    virtual std::vector<std::string>* GetKessaList();
    virtual void SetKessaList(std::vector<std::string>* list);
    // Borrowed; null: "..." does nothing and OK always closes with 1.
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

// Options record: the folder and the check box are written back on OK and on
// Cancel; the enforce flag is only read.
class TAVROKESSAUI_API TavroKessaOptionsDialogParams {
public:
    TavroKessaOptionsDialogParams();
    virtual ~TavroKessaOptionsDialogParams();
    virtual const char* GetWorkingFolder();
    virtual void SetWorkingFolder(const char* text);
    // True: the server sets the folder; it is shown, not editable.
    virtual bool GetEnforceWorkingFolder();
    virtual void SetEnforceWorkingFolder(bool value);
    virtual bool GetAutoLogin();
    virtual void SetAutoLogin(bool value);

private:
    std::string m_workingFolder;
    bool m_enforceWorkingFolder;
    bool m_autoLogin;
};

// One file or folder as the explore dialog lists it. AddListEntry and
// AddLookInEntry copy what they need during the call: the entry may go right after.
class TAVROKESSAUI_API TavroKessaExploreDialogEntry {
public:
    TavroKessaExploreDialogEntry();
    virtual ~TavroKessaExploreDialogEntry();
    // The name shown; a file's extension picks its shell icon.
    virtual const char* GetDisplayName();
    virtual void SetDisplayName(const char* text);
    // The folder icon, or the file's; the dialog never navigates on it.
    virtual bool IsFolder();
    virtual void SetFolder(bool folder);
    // The host's own identifier (-1 by default, any value allowed): what events
    // and selections hand back, never a position in the list.
    virtual int GetIndex();
    virtual void SetIndex(int index);

private:
    std::string m_displayName;
    int m_index;
    bool m_folder;
};

class ITavroKessaExploreDialog;

// Explore events. Every event receives the dialog, through which the host fills
// and ends it, re-entrantly, from inside the event. "Indices" are the entries'
// SetIndex values, in list order. Only CanGoToLastFolder's and GetSelectionText's
// answers are used. While an event runs (it may run a loop of its own), Open, a
// double click, the navigation buttons and the drop-downs' choices are not acted
// on, and a selection change reaches GetSelectionText once it has returned.
class ITavroKessaExploreDialogEvents {
public:
    // The first event, before the list exists: of the dialog's operations only
    // EndExplore works (the dialog then ends when its start is over, with no
    // further event). Fill the dialog from OnOpenEntry(-1).
    virtual bool OnInitDialog(ITavroKessaExploreDialog* dialog) = 0;
    // -1: fill the current folder (at the start, and after a choice in "Files of
    // type:", with GetCurrentFilterExtensions); otherwise the index of the entry,
    // folder or file, that was double-clicked.
    virtual bool OnOpenEntry(ITavroKessaExploreDialog* dialog, int index) = 0;
    // Open, or Enter in the list: the selected indices, maybe none. End the
    // dialog with EndExplore(1) to accept them.
    virtual bool OnOpen(ITavroKessaExploreDialog* dialog, std::vector<int> selection) = 0;
    // A level chosen in "Look in:": its position (0 is the root) and the number of
    // levels shown. Rebuild the path and the list.
    virtual bool OnLookInSelected(ITavroKessaExploreDialog* dialog, int position, int count) = 0;
    virtual bool OnUpOneLevel(ITavroKessaExploreDialog* dialog) = 0;
    virtual bool OnGoToLastFolder(ITavroKessaExploreDialog* dialog) = 0;
    // Asked inside ClearLookIn: true enables "Go To Last Folder Visited".
    virtual bool CanGoToLastFolder(ITavroKessaExploreDialog* dialog) = 0;
    // The selection changed (once per burst of changes): true shows `text` (empty
    // on entry) in the file-name field.
    virtual bool GetSelectionText(ITavroKessaExploreDialog* dialog, std::vector<int> selection, std::string& text) = 0;

protected:
    ~ITavroKessaExploreDialogEvents() = default;
};

// The explore dialog as the host sees it while it is open, from its events (or
// from the host's own code on the dialog's thread while the dialog is open). Each
// operation answers false, doing nothing, once the dialog has ended; the fills
// also before the list exists (during OnInitDialog).
class ITavroKessaExploreDialog {
public:
    // Appends an entry to the list (copied during the call).
    virtual bool AddListEntry(TavroKessaExploreDialogEntry* entry) = 0;
    // Empties the list and the file-name field.
    virtual bool ClearEntries() = 0;
    // Appends a level to "Look in:" (its name copied); `select` makes it the level
    // shown, with no event. Two levels or more enable "Up One Level".
    virtual bool AddLookInEntry(TavroKessaExploreDialogEntry* entry, bool select) = 0;
    // Empties "Look in:", disables "Up One Level" and asks CanGoToLastFolder.
    virtual bool ClearLookIn() = 0;
    // 1: append the selected indices to the record's selections and end with 1;
    // any other value: end with 0, recording nothing. The dialog closes when the
    // event returns; the first end stands.
    virtual bool EndExplore(INT_PTR result) = 0;
    // The extensions text given with AddFilter for the filter chosen in "Files of
    // type:" (the first at the start); null when the record has no filters.
    virtual const char* GetCurrentFilterExtensions() = 0;
    virtual bool Redraw() = 0;

protected:
    virtual ~ITavroKessaExploreDialog() = default;
};

// Explore record: title, selection mode, filters and events in; the chosen
// indices out (appended, never emptied by the dialog).
class TAVROKESSAUI_API TavroKessaExploreDialogParams {
public:
    TavroKessaExploreDialogParams();
    virtual ~TavroKessaExploreDialogParams();
    // The caption (copied); an unset title gives an empty caption.
    virtual const char* GetTitle();
    virtual void SetTitle(const char* text);
    virtual bool GetMultipleSelections();
    virtual void SetMultipleSelections(bool multiple);
    // Borrowed, for the host's own events; the dialog never reads it.
    virtual TavroKessaExploreDialogEntry* GetRootEntry();
    virtual void SetRootEntry(TavroKessaExploreDialogEntry* entry);
    // Borrowed; required (without it the dialog is not shown).
    virtual ITavroKessaExploreDialogEvents* GetITavroKessaExploreDialogEvents();
    virtual void SetITavroKessaExploreDialogEvents(ITavroKessaExploreDialogEvents* events);
    // The array itself: EndExplore(1) appends to it; clear it between dialogs.
    virtual std::vector<int>& GetSelections();
    // Copies both texts. Returns the number of filters after the addition, or 0
    // for a null argument. The extensions text is the host's own: the library
    // only hands it back through GetCurrentFilterExtensions.
    virtual unsigned int AddFilter(const char* name, const char* extensions);
    virtual unsigned int NumFilters();
    // Null for an index out of range.
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

// One version of a file: one row of the history list. Borrowed by
// TavroKessaHistoryDialogParams::AddEntry: it must outlive the dialog.
class TAVROKESSAUI_API TavroKessaFileHistoryEntry {
public:
    TavroKessaFileHistoryEntry();
    virtual ~TavroKessaFileHistoryEntry();
    // The host's identifier of the version, handed back to the events.
    virtual int GetEntry();
    virtual void SetEntry(int entry);
    // The version number; equal to the record's local version, the row is marked.
    virtual int GetLatestVer();
    virtual void SetLatestVer(int version);
    // Shown as given; the "Date" column sorts by the sort value instead.
    virtual const char* GetLastModDateLatest();
    virtual void SetLastModDateLatest(const char* text);
    virtual long long GetLastModDateLatestSortValue();
    virtual void SetLastModDateLatestSortVal(long long key);
    virtual const char* GetUserNameA();
    // windows.h turns GetUserName into GetUserNameW under UNICODE: not virtual, so no vtable slot is added.
    const char* GetUserNameW() { return GetUserNameA(); }
    virtual void SetUserName(const char* text);
    // The list shows the first line; the box below it the whole comment.
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

// History events. `entry` is the row's GetEntry() value; `dialog` the history
// dialog's window. While OnGetVersion runs (it may run a loop of its own), Get
// Version and the context menu are not acted on, and a selection change is asked
// about once it has returned.
class ITavroKessaHistoryDialogEvents {
public:
    // After the selection changes (once per burst) and when the context menu
    // opens: true enables Get Version (and the menu's items).
    virtual bool CanGetVersion(int entry, HWND dialog) = 0;
    // Get Version (the button, or the menu's "Get Version"): `flag` is false for
    // those, true for the command 40005 (a WM_COMMAND the host sends the dialog;
    // the shipped menu does not carry it). True: the version is now the local
    // one, and the marker moves to its row.
    virtual bool OnGetVersion(int entry, bool flag, HWND dialog) = 0;

protected:
    ~ITavroKessaHistoryDialogEvents() = default;
};

// History record: read only. Entries are borrowed, shown in the order added.
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
    // Borrowed; null: no version can be fetched.
    virtual ITavroKessaHistoryDialogEvents* GetITavroKessaHistoryDialogEvents();
    virtual void SetITavroKessaHistoryDialogEvents(ITavroKessaHistoryDialogEvents* events);

private:
    std::string m_kessaPath;
    int m_localVer;
    std::vector<TavroKessaFileHistoryEntry*> m_entries;
    ITavroKessaHistoryDialogEvents* m_events;
};

// Properties record: read once at the start, never written. An empty date shows
// "<currently checked out>"; checked out with an empty user name, the status
// stays empty.
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
    // Cancel was pressed: from the button, through the host's message loop, or
    // found waiting in the queue by an update — so one press may be reported
    // again by later updates: treat repeated calls as one request. Never called
    // while an OnCancel of the same window runs, so an update from inside OnCancel
    // is safe. The window stays open; closing it is the host's.
    virtual void OnCancel(TavroKessaProgressDialogParams* record) = 0;

protected:
    ~ITavroKessaProgressDialogEvents() = default;
};

// Progress record: read at each open and update. An empty text keeps what the
// window shows; the progress is a percentage (the bar clamps it to 0..100).
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
    // Shown with its middle cut to fit; ampersands are shown as they are.
    virtual const char* GetFile();
    virtual void SetFile(const char* text);
    virtual int GetProgress();
    virtual void SetProgress(int percent);
    // Borrowed; null: Cancel presses are ignored.
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
