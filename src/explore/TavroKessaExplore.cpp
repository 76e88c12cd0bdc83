#include "TavroKessaExplore.h"

#include <commctrl.h>

#include "../../res/resource.h"
#include "../service/DialogHelpers.h"
#include "LookInDrawing.h"

namespace {

// Posted once per burst of selection changes; gathers the selection when it arrives.
constexpr UINT kGatherSelection = WM_APP + 1;
// From this many item changes in one burst on, the list stops drawing until the
// burst is gathered: it would otherwise invalidate every changed item on its own,
// which costs more than drawing the whole list once. Smaller bursts (a click, an
// arrow key) draw as they come.
constexpr int kQuietBurstAt = 32;

RECT ChildRect(HWND parent, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

// Brackets one host event. The host refills the list and the path from inside its
// events: the list stops drawing at its first change and draws once, and the
// "Look in:" drop-down is sized once for all its new levels, when the outermost
// event returns, also when the host throws.
class TavroKessaExplore::HostCall {
public:
    explicit HostCall(TavroKessaExplore& owner) : m_owner(owner) { ++m_owner.m_hostCalls; }
    ~HostCall() {
        if (--m_owner.m_hostCalls != 0) return;
        m_owner.ResumeListRedraw();
        m_owner.FitLookIn();
        m_owner.SettleNavigationButtons();
    }
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;

private:
    TavroKessaExplore& m_owner;
};

template <typename Call>
bool TavroKessaExplore::CallHost(Call&& call) {
    ITavroKessaExploreDialogEvents* events = Events();
    if (events == nullptr) return false;
    HostCall scope(*this);
    return call(*events);
}

TavroKessaExplore::TavroKessaExplore() {
    if (SUCCEEDED(SHGetMalloc(&m_allocator)) && m_allocator != nullptr) {
        if (FAILED(SHGetFolderLocation(nullptr, CSIDL_WINDOWS, nullptr, 0, &m_windowsFolder)))
            m_windowsFolder = nullptr;
    } else {
        m_allocator = nullptr;
    }
}

TavroKessaExplore::~TavroKessaExplore() {
    if (m_allocator != nullptr) {
        if (m_windowsFolder != nullptr) m_allocator->Free(m_windowsFolder);
        m_allocator->Release();
    }
}

INT_PTR TavroKessaExplore::Run(HWND parent, ITavroKessaUIHost* host, TavroKessaExploreDialogParams* params) {
    // Without events nobody would ever fill the dialog.
    if (params == nullptr || params->GetITavroKessaExploreDialogEvents() == nullptr) return -1;
    // One controller per dialog: it starts as its members are initialised.
    m_host = host;
    m_params = params;
    LoadPictures();
    return RunModal(parent, IDD_EXPLORE);
}

void TavroKessaExplore::LoadPictures() {
    // The first pixel's colour turns into the window colour.
    auto load = [](int id) {
        return static_cast<HBITMAP>(
            LoadImageA(tk::ModuleHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT));
    };
    m_folderBitmap.Reset(load(IDB_EXPLORE_FOLDER));
    m_rootBitmap.Reset(load(IDB_EXPLORE_ROOT));
}

// --- Initialisation -----------------------------------------------------------

INT_PTR TavroKessaExplore::OnInitDialog() {
    HWND window = Window();
    // Only the window and its template controls exist yet: every operation the
    // host tries from here is refused.
    CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.OnInitDialog(this); });

    tk::ApplyStartAppearance(window, m_host);
    tk::AttachTooltip(GetDlgItem(window, IDC_EXPLORE_BACK), tk::LoadResourceText(IDS_GO_TO_LAST_FOLDER));
    tk::AttachTooltip(GetDlgItem(window, IDC_EXPLORE_UP), tk::LoadResourceText(IDS_UP_ONE_LEVEL));

    const char* title = m_params->GetTitle();
    if (title != nullptr) SetWindowTextA(window, title);

    HWND holder = GetDlgItem(window, IDC_EXPLORE_LIST_HOLDER);
    RECT listRect = ChildRect(window, holder);
    ShowWindow(holder, SW_HIDE);
    m_list = tk::CreateExploreListView(window, listRect, m_params->GetMultipleSelections(), holder);
    if (m_list != nullptr) {
        FillFilters();
        CaptureLayout();
        Relayout();
        tk::SubclassExploreListView(m_list, this);
        CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.OnOpenEntry(this, -1); });
    }

    // The host may have ended the dialog (or thrown) from an event above.
    if (Window() != nullptr) tk::CenterWindowOnParent(window, GetParent(window));
    return TRUE;  // focus to the first tab stop, Open
}

void TavroKessaExplore::FillFilters() {
    HWND types = GetDlgItem(Window(), IDC_EXPLORE_TYPES);
    unsigned int count = m_params->NumFilters();
    if (count == 0) return;
    // Resizing the drop-down after each item made 100,000 filters take minutes:
    // the items go in together and the drop-down is sized once, as the last
    // item would have left it.
    for (unsigned int i = 0; i + 1 < count; ++i)
        SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_params->GetFilterName(i)));
    tk::AddComboItem(types, m_params->GetFilterName(count - 1), false);
    // A selection the program makes reports nothing to the host.
    SendMessageA(types, CB_SETCURSEL, 0, 0);
}

void TavroKessaExplore::CaptureLayout() {
    HWND window = Window();
    GetWindowRect(window, &m_initialRect);
    for (int i = 0; i < tk::kExploreAnchorCount; ++i) {
        HWND control = GetDlgItem(window, tk::kExploreAnchors[i].id);
        if (control != nullptr) m_controlRects[i] = ChildRect(window, control);
    }
    m_layoutCaptured = true;
}

// --- Messages -------------------------------------------------------------------

INT_PTR TavroKessaExplore::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        Relayout();
        return FALSE;
    case WM_SIZING:
        OnSizing(wParam, *reinterpret_cast<RECT*>(lParam));
        return FALSE;
    case WM_DRAWITEM:
        if (wParam != IDC_EXPLORE_LOOK_IN) return FALSE;
        return tk::DrawLookInItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), m_lookInPath, m_host,
                                  tk::LookInPictures{m_rootBitmap.Get(), m_folderBitmap.Get()});
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case kGatherSelection:
        OnGatherSelection();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR TavroKessaExplore::OnCommand(int id, int code) {
    // By control id alone, whatever the notification, except for the drop-downs.
    switch (id) {
    case IDCANCEL:
        EndWith(0);
        return TRUE;
    case IDC_EXPLORE_BACK:
        CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.OnGoToLastFolder(this); });
        return FALSE;
    case IDC_EXPLORE_UP:
        CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.OnUpOneLevel(this); });
        return FALSE;
    case IDC_EXPLORE_OPEN:
        OnOpen();
        return TRUE;
    case IDC_EXPLORE_LOOK_IN:
        if (code == CBN_SELCHANGE) OnLookInChosen();
        return FALSE;
    case IDC_EXPLORE_TYPES:
        if (code == CBN_SELCHANGE) OnFilterChosen();
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR TavroKessaExplore::OnNotify(const NMHDR& header) {
    if (header.code == LVN_DELETEALLITEMS) {
        // Nothing is kept per item: spare the list one notification for each.
        return SetNotifyResult(TRUE);
    }
    if (header.code == LVN_ITEMCHANGED) {
        OnSelectionChanged(header.hwndFrom);
    } else if (header.code == LVN_GETDISPINFOA || header.code == LVN_GETDISPINFOW) {
        // Both forms share the layout of everything used here.
        OnItemImageWanted(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)));
    } else if (header.code == NM_RETURN && header.hwndFrom == m_list && m_list != nullptr) {
        // Where the dialog manager leaves Enter to a focused list, it still opens.
        OnOpen();
    }
    return FALSE;
}

void TavroKessaExplore::OnItemImageWanted(NMLVDISPINFOA& info) {
    if ((info.item.mask & LVIF_IMAGE) == 0) return;
    std::string name = tk::ItemText(info.hdr.hwndFrom, info.item.iItem);
    info.item.iImage = m_icons.FileIcon(name.c_str());
    info.item.mask |= LVIF_DI_SETITEM;
}

void TavroKessaExplore::OnOpen() {
    // Gathered now: a selection change may still be waiting to be gathered.
    std::vector<int> selection = tk::SelectedIndices(m_list);
    CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.OnOpen(this, selection); });
}

void TavroKessaExplore::OnLookInChosen() {
    HWND combo = GetDlgItem(Window(), IDC_EXPLORE_LOOK_IN);
    int position = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    if (position == CB_ERR) return;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    // The host rebuilds the path; the drop-down is not touched here.
    CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.OnLookInSelected(this, position, count); });
}

void TavroKessaExplore::OnFilterChosen() {
    int position = static_cast<int>(SendDlgItemMessageA(Window(), IDC_EXPLORE_TYPES, CB_GETCURSEL, 0, 0));
    if (position == CB_ERR) return;
    m_currentFilter = position;
    CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.OnOpenEntry(this, -1); });
}

// The list view reports every item whose state changes, one by one: selecting
// 10,000 items is 10,000 notifications. Each one only empties the field; the
// selection is gathered, and the host asked for its text, once per burst.
void TavroKessaExplore::OnSelectionChanged(HWND from) {
    if (from != m_list) return;
    ++m_selectionChanges;
    EmptyFileName();
    if (m_gatherPending) {
        // The gathering message is on its way: it turns the drawing back on.
        if (++m_burstChanges == kQuietBurstAt && !m_redrawSuspended && !m_burstQuiet) {
            SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
            m_burstQuiet = true;
        }
        return;
    }
    if (m_ended || Window() == nullptr) return;
    m_burstChanges = 1;
    m_gatherPending = PostMessageA(Window(), kGatherSelection, 0, 0) != FALSE;
}

void TavroKessaExplore::EndQuietBurst() {
    if (!m_burstQuiet) return;
    m_burstQuiet = false;
    if (m_list != nullptr && IsWindow(m_list)) tk::RedrawAgain(m_list);
}

void TavroKessaExplore::OnGatherSelection() {
    m_gatherPending = false;
    EndQuietBurst();
    if (!Ready()) return;
    std::vector<int> selection = tk::SelectedIndices(m_list);
    if (selection.empty()) return;
    std::string text;
    unsigned int asked = m_selectionChanges;
    bool show = CallHost(
        [&](ITavroKessaExploreDialogEvents& events) { return events.GetSelectionText(this, selection, text); });
    // A host that pumps messages (a message box) may have been asked about a newer
    // selection meanwhile: an answer about an older one is not shown over it.
    if (show && Ready() && asked == m_selectionChanges) ShowFileName(text);
}

void TavroKessaExplore::OnSizing(WPARAM edge, RECT& proposed) {
    if (!m_layoutCaptured) return;
    tk::KeepMinimumSize(proposed, edge,
                        SIZE{m_initialRect.right - m_initialRect.left, m_initialRect.bottom - m_initialRect.top});
}

void TavroKessaExplore::Relayout() {
    if (!m_layoutCaptured) return;
    HWND window = Window();
    RECT now = {};
    GetWindowRect(window, &now);
    int dx = (now.right - now.left) - (m_initialRect.right - m_initialRect.left);
    int dy = (now.bottom - now.top) - (m_initialRect.bottom - m_initialRect.top);
    for (int i = 0; i < tk::kExploreAnchorCount; ++i) {
        HWND control = GetDlgItem(window, tk::kExploreAnchors[i].id);
        if (control == nullptr) continue;
        RECT rect = tk::FollowGrowth(m_controlRects[i], tk::kExploreAnchors[i], dx, dy);
        MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    }
    InvalidateRect(window, nullptr, TRUE);
}

void TavroKessaExplore::OnListDoubleClick(int index) {
    CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.OnOpenEntry(this, index); });
}

void TavroKessaExplore::OnListFault() { OnException(); }

void TavroKessaExplore::OnException() {
    m_ended = true;
    DialogBase::OnException();
}

void TavroKessaExplore::OnDismissed() {
    // Left by a quit message: the host hears nothing more, and nothing is recorded.
    m_ended = true;
}

// --- The host's operations --------------------------------------------------------

bool TavroKessaExplore::Ready() const { return m_list != nullptr && !m_ended && Window() != nullptr; }

void TavroKessaExplore::EndWith(INT_PTR result) {
    // The first end stands: a later one would otherwise replace its result.
    if (m_ended || Window() == nullptr) return;
    m_ended = true;
    EndModal(result);
}

bool TavroKessaExplore::AddListEntry(TavroKessaExploreDialogEntry* entry) {
    if (!Ready() || entry == nullptr) return false;
    SuspendListRedraw();
    const char* name = entry->GetDisplayName();
    int image = 0;
    if (entry->IsFolder()) {
        image = m_icons.FolderIcon(m_windowsFolder);
    } else if (!m_icons.KnownFileIcon(name, image)) {
        // A shell question costs up to a tenth of a millisecond, and names whose
        // icon is their own ask it once each: the list asks for the answer when it
        // first shows the item, and keeps it.
        image = I_IMAGECALLBACK;
    }
    int position = m_itemCount++;
    tk::InsertExploreItem(m_list, position, name, image, entry->GetIndex());
    return true;
}

bool TavroKessaExplore::ClearEntries() {
    if (!Ready()) return false;
    ++m_selectionChanges;
    EmptyFileName();
    // Emptied in place: a new list view would have to measure every label again
    // on its first paint, which costs more than the deletion it saves.
    SuspendListRedraw();
    SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
    m_itemCount = 0;
    return true;
}

bool TavroKessaExplore::AddLookInEntry(TavroKessaExploreDialogEntry* entry, bool select) {
    if (!Ready() || entry == nullptr) return false;
    m_lookInPath.emplace_back(entry->GetDisplayName());
    HWND combo = GetDlgItem(Window(), IDC_EXPLORE_LOOK_IN);
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_lookInPath.back().c_str()));
    if (select && index != CB_ERR && index != CB_ERRSPACE)
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // Resizing the drop-down costs a millisecond a level; a path of a hundred
    // levels is rebuilt at each step, so inside an event it is sized once, when
    // the event returns.
    m_lookInFitPending = true;
    if (m_hostCalls == 0) FitLookIn();
    // The root alone has no level above it.
    if (m_lookInPath.size() == 2) SetNavigationButton(m_up, true);
    return true;
}

bool TavroKessaExplore::ClearLookIn() {
    if (!Ready()) return false;
    SendDlgItemMessageA(Window(), IDC_EXPLORE_LOOK_IN, CB_RESETCONTENT, 0, 0);
    m_lookInPath.clear();
    SetNavigationButton(m_up, false);
    bool canGoBack =
        CallHost([&](ITavroKessaExploreDialogEvents& events) { return events.CanGoToLastFolder(this); });
    // The host may have ended the dialog from inside CanGoToLastFolder.
    if (Ready()) SetNavigationButton(m_back, canGoBack);
    return true;
}

bool TavroKessaExplore::EndExplore(INT_PTR result) {
    if (!Ready()) return false;
    if (result == 1) {
        std::vector<int> selection = tk::SelectedIndices(m_list);
        std::vector<int>& chosen = m_params->GetSelections();
        chosen.insert(chosen.end(), selection.begin(), selection.end());
        EndWith(1);
    } else {
        EndWith(0);
    }
    return true;
}

const char* TavroKessaExplore::GetCurrentFilterExtensions() {
    if (m_params == nullptr) return nullptr;
    return m_params->GetFilterExtensions(static_cast<unsigned int>(m_currentFilter));
}

bool TavroKessaExplore::Redraw() {
    if (!Ready()) return false;
    return InvalidateRect(Window(), nullptr, TRUE) != FALSE;
}

// --- Helpers ------------------------------------------------------------------------

ITavroKessaExploreDialogEvents* TavroKessaExplore::Events() const {
    if (m_ended || m_params == nullptr) return nullptr;
    return m_params->GetITavroKessaExploreDialogEvents();
}

// The host rebuilds the path on every step, which turns "Up" off and on again:
// inside an event only the wish is noted, and the buttons change once, when the
// event returns, and only where they differ from what is shown.
void TavroKessaExplore::SetNavigationButton(NavigationButton& button, bool enabled) {
    button.wanted = enabled;
    if (m_hostCalls == 0) SettleNavigationButtons();
}

void TavroKessaExplore::SettleNavigationButtons() {
    HWND window = Window();
    if (window == nullptr) return;
    for (NavigationButton* state : {&m_back, &m_up}) {
        int wanted = state->wanted ? 1 : 0;
        if (state->shown == wanted) continue;
        state->shown = wanted;
        HWND button = GetDlgItem(window, state->id);
        int iconId = state->wanted ? state->enabledIcon : state->disabledIcon;
        SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(tk::ExploreButtonIcon(iconId)));
        // A keyboard user would be left on a dead button: hand the focus to the list.
        if (!state->wanted && button != nullptr && GetFocus() == button && m_list != nullptr)
            SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list), TRUE);
        EnableWindow(button, state->wanted ? TRUE : FALSE);
    }
}

HICON tk::ExploreButtonIcon(int iconId) {
    return static_cast<HICON>(
        LoadImageA(tk::ModuleHandle(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, LR_SHARED));
}

void TavroKessaExplore::EmptyFileName() {
    // Setting an edit's text costs more than all the rest of a notification.
    if (!m_fileNameShown) return;
    SetDlgItemTextA(Window(), IDC_EXPLORE_FILE_NAME, "");
    m_fileNameShown = false;
}

void TavroKessaExplore::ShowFileName(const std::string& text) {
    SetDlgItemTextA(Window(), IDC_EXPLORE_FILE_NAME, text.c_str());
    m_fileNameShown = !text.empty();
}

void TavroKessaExplore::SuspendListRedraw() {
    if (m_hostCalls == 0 || m_redrawSuspended || m_list == nullptr) return;
    SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    m_redrawSuspended = true;
}

void TavroKessaExplore::ResumeListRedraw() {
    if (!m_redrawSuspended) return;
    m_redrawSuspended = false;
    if (m_list != nullptr && IsWindow(m_list)) tk::RedrawAgain(m_list);
}

void TavroKessaExplore::FitLookIn() {
    if (!m_lookInFitPending) return;
    m_lookInFitPending = false;
    HWND combo = GetDlgItem(Window(), IDC_EXPLORE_LOOK_IN);
    if (combo == nullptr) return;
    // A path rebuilt to the same depth leaves the size as it was.
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    if (count == m_lookInFittedCount) return;
    m_lookInFittedCount = count;
    tk::FitComboDropHeight(combo);
}
