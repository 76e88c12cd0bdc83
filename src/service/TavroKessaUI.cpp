#include "TavroKessaUI.h"

#include <objbase.h>
#include <shlobj.h>

#include <new>

#include "../explore/TavroKessaExplore.h"
#include "../history/PropertyDialog.h"
#include "../history/TavroKessaHistory.h"
#include "../signin/OptionsDialog.h"
#include "../signin/TavroKessaSignin.h"
#include "DialogHelpers.h"
#include "Handles.h"

namespace tk {

UINT MessageBoxStyle(unsigned int flags, bool topmost) {
    // Only the low eight bits count; bits combine without any check of their mix.
    static const UINT kStyleForBit[8] = {
        MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR, MB_ICONQUESTION, 0, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL,
    };
    UINT style = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (flags & (1u << bit)) style |= kStyleForBit[bit];
    if (topmost) style |= MB_TOPMOST;
    return style;
}

INT_PTR MessageBoxAnswer(int pressed) {
    switch (pressed) {
    case IDOK:
        return TAVROKESSA_ANSWER_OK;
    case IDYES:
        return TAVROKESSA_ANSWER_YES;
    case IDNO:
        return TAVROKESSA_ANSWER_NO;
    default:
        return TAVROKESSA_ANSWER_CANCEL;
    }
}

}  // namespace tk

namespace {

// Sets a service field for the length of one dialog and restores what it held
// before, so that a dialog opened from inside another leaves the outer one's
// record in place.
template <typename T>
class ScopedField {
public:
    ScopedField(T*& field, T* value) : m_field(field), m_previous(field) { m_field = value; }
    ~ScopedField() { m_field = m_previous; }
    ScopedField(const ScopedField&) = delete;
    ScopedField& operator=(const ScopedField&) = delete;

private:
    T*& m_field;
    T* m_previous;
};

}  // namespace

TavroKessaUI::TavroKessaUI() { m_progress.KeepAlive(this); }

TavroKessaUI::~TavroKessaUI() {
    m_releasing = true;
    // Never leave a window behind that points at a controller about to go away.
    m_progress.Close();
}

void TavroKessaUI::Release() {
    if (m_releasing) return;
    if (m_holds > 0) {
        m_releaseAsked = true;
        return;
    }
    m_releasing = true;
    delete this;
}

void TavroKessaUI::Hold() {
    if (!m_releasing) ++m_holds;
}

void TavroKessaUI::Let() {
    if (m_releasing) return;
    if (--m_holds == 0 && m_releaseAsked) {
        m_releasing = true;
        // The last thing any holder does: nothing of the object is touched after.
        delete this;
    }
}

// Runs one operation: the object is held while it runs, and no C++ exception
// reaches the host (an operation that cannot finish, because memory ran out or
// a host event threw, reports failure through its result).
template <typename Body>
INT_PTR TavroKessaUI::Run(INT_PTR failure, Body&& body) {
    INT_PTR result = failure;
    Hold();
    try {
        result = body();
    } catch (...) {
        result = failure;
    }
    // Letting go may free the object: only the local result is read after it.
    Let();
    return result;
}

void TavroKessaUI::SetHost(ITavroKessaUIHost* host) { m_host = host; }

INT_PTR TavroKessaUI::ShowMessage(HWND owner, const char* text, const char* caption, unsigned int flags) {
    // A host whose GetDisplayFlags throws gets the failure answer and no box.
    return Run(TAVROKESSA_ANSWER_CANCEL, [&] {
        UINT style = tk::MessageBoxStyle(flags, tk::HostWantsTopmost(m_host));
        return tk::MessageBoxAnswer(MessageBoxA(owner, text, caption, style));
    });
}

INT_PTR TavroKessaUI::ShowOptionsDialog(HWND parent, TavroKessaOptionsDialogParams* params) {
    if (params == nullptr) return -1;
    return Run(-1, [&] {
        ScopedField<TavroKessaOptionsDialogParams> open(m_optionsParams, params);
        OptionsDialog dialog(*this, m_host, *params);
        return dialog.Run(parent);
    });
}

INT_PTR TavroKessaUI::ShowSigninDialog(HWND parent, TavroKessaSigninDialogParams* params) {
    if (params == nullptr) return -1;
    return Run(-1, [&] {
        TavroKessaSignin controller;
        return controller.Run(parent, m_host, params);
    });
}

INT_PTR TavroKessaUI::BrowseForFolder(HWND owner, const char* title, char* path) {
    if (path == nullptr) return 0;
    return Run(0, [&]() -> INT_PTR {
        char displayName[MAX_PATH] = {};
        BROWSEINFOA info = {};
        info.hwndOwner = owner;
        info.pidlRoot = nullptr;
        info.pszDisplayName = displayName;
        info.lpszTitle = title;
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
        tk::ShellItemList item;
        item.Reset(SHBrowseForFolderA(&info));
        if (!item) return 0;

        // Into a local buffer first: the caller's buffer is written only on success.
        char chosen[MAX_PATH] = {};
        const bool found = SHGetPathFromIDListA(item.Get(), chosen) != FALSE;
        if (found) lstrcpynA(path, chosen, MAX_PATH);
        return found ? 1 : 0;
    });
}

INT_PTR TavroKessaUI::ShowPropertyDialog(HWND parent, TavroKessaPropertyDialogParams* params) {
    if (params == nullptr) return -1;
    return Run(-1, [&] { return RunPropertyDialog(m_host, parent, params); });
}

INT_PTR TavroKessaUI::ShowHistoryDialog(HWND parent, TavroKessaHistoryDialogParams* params) {
    if (params == nullptr) return -1;
    return Run(-1, [&] {
        TavroKessaHistory controller;
        return controller.Run(parent, m_host, params);
    });
}

INT_PTR TavroKessaUI::ShowExploreDialog(HWND parent, TavroKessaExploreDialogParams* params) {
    if (params == nullptr) return -1;
    return Run(-1, [&] {
        TavroKessaExplore controller;
        return controller.Run(parent, m_host, params);
    });
}

INT_PTR TavroKessaUI::OpenProgressDialog(HWND parent, TavroKessaProgressDialogParams* params) {
    if (params == nullptr) return 0;
    return Run(0, [&]() -> INT_PTR { return m_progress.Open(parent, params) ? 1 : 0; });
}

INT_PTR TavroKessaUI::UpdateProgressDialog(TavroKessaProgressDialogParams* params) {
    if (params == nullptr) return 0;
    return Run(0, [&]() -> INT_PTR { return m_progress.Update(params) ? 1 : 0; });
}

INT_PTR TavroKessaUI::CloseProgressDialog() {
    return Run(0, [&]() -> INT_PTR { return m_progress.Close() ? 1 : 0; });
}

extern "C" TAVROKESSAUI_API ITavroKessaUI* GetITavroKessaUI() { return new (std::nothrow) TavroKessaUI(); }

extern "C" TAVROKESSAUI_API void ReleaseITavroKessaUI(ITavroKessaUI* ui) {
    // Freed by the library that allocated it; the only implementation there is.
    if (ui != nullptr) static_cast<TavroKessaUI*>(ui)->Release();
}
