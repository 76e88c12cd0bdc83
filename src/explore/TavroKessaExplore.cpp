#include "TavroKessaExplore.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <iterator>

#include "../../res/resource.h"
#include "../service/DialogHelpers.h"
#include "../service/Scale.h"
#include "ExploreLayout.h"
#include "LookInDrawing.h"

namespace {

// From this many item changes in one burst on, the list stops drawing until the
// burst is gathered: it would otherwise invalidate every changed item on its own,
// which costs more than drawing the whole list once. Smaller bursts (a click, an
// arrow key) draw as they come.
constexpr int kQuietBurstAt = 32;

}  // namespace

TavroKessaExplore::TavroKessaExplore() {
    // Without the shell's allocator the location could not be freed again.
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
        allocator->Release();
        if (FAILED(SHGetFolderLocation(nullptr, CSIDL_WINDOWS, nullptr, 0, m_windowsFolder.Receive())))
            m_windowsFolder.Reset();
    }
}

INT_PTR TavroKessaExplore::Run(HWND parent, ITavroKessaUIHost* host, TavroKessaExploreDialogParams* params) {
    // Without events nobody would ever fill the dialog.
    if (params == nullptr || params->GetITavroKessaExploreDialogEvents() == nullptr) return -1;
    // One controller per dialog: it starts as its members are initialised.
    m_host = host;
    m_params = params;
    return RunModal(parent, IDD_EXPLORE);
}

// The pictures at the scale the dialog is shown at; the window must exist.
void TavroKessaExplore::LoadPictures() {
    HWND window = Window();
    const int factor = tk::PictureFactor(tk::WindowDpi(window));
    // The first pixel's colour turns into the window colour; then each pixel grows
    // into a square, so that the art stays crisp.
    auto load = [factor](tk::UniqueBitmap& owner, int id) {
        owner.Reset(static_cast<HBITMAP>(
            LoadImageA(tk::ModuleHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT)));
        if (factor == 1 || !owner) return;
        HBITMAP enlarged = tk::EnlargeBitmap(owner.Get(), factor);
        if (enlarged != nullptr) owner.Reset(enlarged);
    };
    load(m_folderBitmap, IDB_EXPLORE_FOLDER);
    load(m_rootBitmap, IDB_EXPLORE_ROOT);
    BITMAP facts = {};
    if (m_folderBitmap && GetObjectA(m_folderBitmap.Get(), sizeof(facts), &facts) != 0)
        m_lookInPictureSize = facts.bmHeight;
    MeasureLookInLevels();
    ChooseNavigationPictures();
}

// A level is as high as its text or its picture, whichever is higher, in the
// dropped list and in the closed field alike.
void TavroKessaExplore::MeasureLookInLevels() {
    HWND lookIn = GetDlgItem(Window(), IDC_EXPLORE_LOOK_IN);
    int textHeight = 0;
    {
        tk::WindowDC dc(lookIn);
        tk::SelectionGuard font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(lookIn, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics = {};
        if (dc.Get() != nullptr && GetTextMetricsA(dc.Get(), &metrics)) textHeight = metrics.tmHeight;
    }
    m_lookInItemHeight = std::max(textHeight, m_lookInPictureSize);
    // The field was measured as the combo box was made, before the dialog could
    // answer: it is set again here.
    if (SendMessageA(lookIn, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) < m_lookInItemHeight)
        SendMessageA(lookIn, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), m_lookInItemHeight);
}

// The navigation buttons show the largest image of their icons that fits them.
void TavroKessaExplore::ChooseNavigationPictures() {
    HWND back = GetDlgItem(Window(), IDC_EXPLORE_BACK);
    RECT client = {};
    GetClientRect(back, &client);
    const int size = tk::ExploreIconSizeFor(SIZE{client.right - client.left, client.bottom - client.top});
    for (NavigationButton* button : {&m_back, &m_up}) {
        if (size == tk::kExploreIconSizes[0]) {
            button->enabledPicture = tk::ExploreButtonIcon(button->enabledIcon);
            button->disabledPicture = tk::ExploreButtonIcon(button->disabledIcon);
            continue;
        }
        auto loadIcon = [size](tk::UniqueIcon& owner, int id) {
            owner.Reset(static_cast<HICON>(
                LoadImageA(tk::ModuleHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
            return owner.Get();
        };
        button->enabledPicture = loadIcon(button->ownedEnabled, button->enabledIcon);
        button->disabledPicture = loadIcon(button->ownedDisabled, button->disabledIcon);
    }
}

// The two buttons show pictures only, and a screen reader announces a button by
// its text: the words of their tooltips replace the template's placeholder
// letters, which are never drawn.
void TavroKessaExplore::NameNavigationButtons() {
    HWND window = Window();
    const struct {
        int id;
        UINT text;
    } kButtons[] = {{IDC_EXPLORE_BACK, IDS_GO_TO_LAST_FOLDER}, {IDC_EXPLORE_UP, IDS_UP_ONE_LEVEL}};
    for (const auto& button : kButtons) {
        HWND control = GetDlgItem(window, button.id);
        const char* words = tk::LoadResourceText(button.text);
        if (words != nullptr) SetWindowTextA(control, words);
        tk::AttachTooltip(control, words);
    }
}

template <typename Event>
bool TavroKessaExplore::CallEvents(Call kind, Event&& event) {
    ITavroKessaExploreDialogEvents* events = m_params != nullptr ? m_params->GetITavroKessaExploreDialogEvents() : nullptr;
    if (events == nullptr) return false;
    return CallHost(kind, [&] { event(*events); });
}

// --- Initialisation -----------------------------------------------------------

BOOL TavroKessaExplore::OnInit() {
    HWND window = Window();
    // Before any event: the buttons take their pictures when the first one returns.
    LoadPictures();
    // Only the window and its template controls exist yet: of the host's
    // operations only EndExplore works, and the dialog then ends with no further
    // event.
    if (!CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) { events.OnInitDialog(this); }))
        return TRUE;

    tk::ApplyStartAppearance(window, m_host);
    SettleNavigationButtons();
    NameNavigationButtons();

    const char* title = m_params->GetTitle();
    if (title != nullptr) SetWindowTextA(window, title);

    HWND holder = GetDlgItem(window, IDC_EXPLORE_LIST_HOLDER);
    const RECT listRect = tk::RectInParent(window, holder);
    ShowWindow(holder, SW_HIDE);
    m_list = tk::CreateExploreListView(window, listRect, m_params->GetMultipleSelections(), holder);
    if (m_list == nullptr) return TRUE;
    // The list has no label on screen, and the accessibility layer names it after
    // the nearest static text before it, which is the holder: an empty holder
    // leaves the list without a name rather than with "list view holder".
    SetWindowTextA(holder, "");
    m_listRedraw.Attach(m_list);

    FillFilters();
    m_layout.Capture(window, tk::kExploreAnchors, tk::kExploreAnchorCount);
    SetMinimumSize(m_layout.StartSize());
    m_layout.Follow(window);
    tk::SubclassExploreListView(m_list, this);
    CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) { events.OnOpenEntry(this, -1); });
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

// --- Messages -------------------------------------------------------------------

bool TavroKessaExplore::OnCommand(int id, int code, HWND) {
    // By control id alone, whatever the notification, except for the drop-downs.
    switch (id) {
    case IDC_EXPLORE_BACK:
        CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) { events.OnGoToLastFolder(this); });
        return false;
    case IDC_EXPLORE_UP:
        CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) { events.OnUpOneLevel(this); });
        return false;
    case IDC_EXPLORE_OPEN:
        OnOpen();
        return true;
    case IDC_EXPLORE_LOOK_IN:
    case IDC_EXPLORE_TYPES:
        OnDropDown(id, code);
        return false;
    default:
        return false;
    }
}

LRESULT TavroKessaExplore::OnNotify(int, NMHDR& header) {
    switch (header.code) {
    case LVN_DELETEALLITEMS:
        // Nothing is kept per item: spare the list one notification for each.
        return header.hwndFrom == m_list ? TRUE : 0;
    case LVN_ITEMCHANGED:
        OnSelectionChanged(header.hwndFrom);
        return 0;
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
        // Both forms share the layout of everything used here.
        if (header.hwndFrom == m_list) OnItemImageWanted(reinterpret_cast<NMLVDISPINFOA&>(header));
        return 0;
    case NM_RETURN:
        // Where the dialog manager leaves Enter to a focused list, it still opens.
        if (header.hwndFrom == m_list && m_list != nullptr) OnOpen();
        return 0;
    default:
        return 0;
    }
}

void TavroKessaExplore::OnSize(int, int) { m_layout.Follow(Window()); }

BOOL TavroKessaExplore::OnDrawItem(int id, const DRAWITEMSTRUCT& item) {
    if (id != IDC_EXPLORE_LOOK_IN) return FALSE;
    return tk::DrawLookInItem(item, m_lookInPath, m_host,
                              tk::LookInPictures{m_rootBitmap.Get(), m_folderBitmap.Get(), m_lookInPictureSize});
}

BOOL TavroKessaExplore::OnMeasureItem(int id, MEASUREITEMSTRUCT& item) {
    if (id != IDC_EXPLORE_LOOK_IN) return FALSE;
    item.itemHeight = static_cast<UINT>(m_lookInItemHeight);
    return TRUE;
}

bool TavroKessaExplore::OnPrivateMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case tk::kMsgGatherSelection:
        OnGatherSelection();
        return true;
    case tk::kMsgDropDownClosed: {
        const int id = static_cast<int>(wParam);
        DropDownChoice& choice = id == IDC_EXPLORE_LOOK_IN ? m_lookInChoice : m_typesChoice;
        // The item the close reported has been acted on already (a click).
        if (!choice.pending) return true;
        choice.pending = false;
        OnChoiceMade(id);
        return true;
    }
    default:
        return false;
    }
}

// The host refills the list and the path from inside its events: the list stops
// drawing at its first change and draws once, and the "Look in:" drop-down and
// the buttons change once, when the outermost event returns.
void TavroKessaExplore::OnCallsReturned() {
    m_listRedraw.Let(tk::RedrawSuspension::kHostCalls);
    FitLookIn();
    SettleNavigationButtons();
    if (m_gatherWhenCallsReturn) {
        m_gatherWhenCallsReturn = false;
        OnGatherSelection();
    }
}

void TavroKessaExplore::OnWindowGone() {
    // The list went with the dialog; its handle may soon name another window.
    m_listRedraw.Detach();
    m_list = nullptr;
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
    CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) { events.OnOpen(this, selection); });
}

// A drop-down's notifications, in the order the platform sends them: a click in
// the open list, or Enter, accepts (CBN_SELENDOK) and closes it (CBN_CLOSEUP); a
// click reports the new item after the close (CBN_SELCHANGE), Enter does not;
// Escape or a click elsewhere cancels; each arrow key reports the item it moves
// to, open or closed.
void TavroKessaExplore::OnDropDown(int id, int code) {
    DropDownChoice& choice = id == IDC_EXPLORE_LOOK_IN ? m_lookInChoice : m_typesChoice;
    HWND combo = GetDlgItem(Window(), id);
    switch (code) {
    case CBN_DROPDOWN:
        choice.accepted = false;
        return;
    case CBN_SELENDOK:
        choice.accepted = true;
        return;
    case CBN_SELENDCANCEL:
        choice.accepted = false;
        return;
    case CBN_CLOSEUP:
        // Acted on once the drop-down has finished closing, unless the item it
        // reports next has been acted on by then.
        if (choice.accepted)
            choice.pending = PostMessageA(Window(), tk::kMsgDropDownClosed, static_cast<WPARAM>(id), 0) != FALSE;
        else
            ShowChoiceInForce(id);  // the highlighted item stays selected otherwise
        choice.accepted = false;
        return;
    case CBN_SELCHANGE:
        if (SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) return;
        choice.pending = false;
        OnChoiceMade(id);
        return;
    default:
        return;
    }
}

void TavroKessaExplore::OnChoiceMade(int id) {
    if (id == IDC_EXPLORE_LOOK_IN)
        OnLookInChosen();
    else if (id == IDC_EXPLORE_TYPES)
        OnFilterChosen();
}

void TavroKessaExplore::ShowChoiceInForce(int id) {
    HWND combo = GetDlgItem(Window(), id);
    const int inForce = id == IDC_EXPLORE_LOOK_IN ? m_lookInSelected : m_currentFilter;
    if (SendMessageA(combo, CB_GETCURSEL, 0, 0) != inForce)
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(inForce), 0);
}

int TavroKessaExplore::ChoiceToActOn(int id) {
    const int position = static_cast<int>(SendDlgItemMessageA(Window(), id, CB_GETCURSEL, 0, 0));
    if (position == CB_ERR) return -1;
    // Another event runs: the choice is not acted on, and the drop-down shows what
    // is in force again.
    if (UserCallRunning()) {
        ShowChoiceInForce(id);
        return -1;
    }
    return position;
}

void TavroKessaExplore::OnLookInChosen() {
    const int position = ChoiceToActOn(IDC_EXPLORE_LOOK_IN);
    if (position < 0) return;
    const int count = static_cast<int>(SendDlgItemMessageA(Window(), IDC_EXPLORE_LOOK_IN, CB_GETCOUNT, 0, 0));
    // The host rebuilds the path; the drop-down is not touched here.
    CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) { events.OnLookInSelected(this, position, count); });
}

void TavroKessaExplore::OnFilterChosen() {
    const int position = ChoiceToActOn(IDC_EXPLORE_TYPES);
    if (position < 0) return;
    m_currentFilter = position;
    CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) { events.OnOpenEntry(this, -1); });
}

// The list view reports every item whose state changes, one by one: selecting
// 10,000 items is 10,000 notifications. Each one only empties the field; the
// selection is gathered, and the host asked for its text, once per burst.
void TavroKessaExplore::OnSelectionChanged(HWND from) {
    if (from != m_list || m_list == nullptr) return;
    ++m_selectionChanges;
    EmptyFileName();
    if (m_gatherPending) {
        // The gathering message is on its way: it turns the drawing back on.
        if (++m_burstChanges == kQuietBurstAt) m_listRedraw.Take(tk::RedrawSuspension::kSelectionBurst);
        return;
    }
    if (!Standing()) return;
    m_burstChanges = 1;
    m_gatherPending = PostMessageA(Window(), tk::kMsgGatherSelection, 0, 0) != FALSE;
}

void TavroKessaExplore::OnGatherSelection() {
    m_gatherPending = false;
    m_listRedraw.Let(tk::RedrawSuspension::kSelectionBurst);
    if (!Ready()) return;
    // A host event is running: the host hears of the selection when it returns.
    if (UserCallRunning()) {
        m_gatherWhenCallsReturn = true;
        return;
    }
    std::vector<int> selection = tk::SelectedIndices(m_list);
    if (selection.empty()) return;
    std::string text;
    bool show = false;
    const unsigned int asked = m_selectionChanges;
    if (!CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) {
            show = events.GetSelectionText(this, selection, text);
        }))
        return;
    // A host that pumps messages (a message box) may have been asked about a newer
    // selection meanwhile: an answer about an older one is not shown over it.
    if (show && asked == m_selectionChanges) ShowFileName(text);
}

void TavroKessaExplore::OnListDoubleClick(int index) {
    CallEvents(Call::User, [&](ITavroKessaExploreDialogEvents& events) { events.OnOpenEntry(this, index); });
}

// --- The host's operations --------------------------------------------------------

bool TavroKessaExplore::AddListEntry(TavroKessaExploreDialogEntry* entry) {
    if (!Ready() || entry == nullptr) return false;
    if (CallsRunning()) m_listRedraw.Take(tk::RedrawSuspension::kHostCalls);
    const char* name = entry->GetDisplayName();
    int image = 0;
    if (entry->IsFolder()) {
        image = m_icons.FolderIcon(m_windowsFolder.Get());
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
    if (CallsRunning()) m_listRedraw.Take(tk::RedrawSuspension::kHostCalls);
    SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
    m_itemCount = 0;
    return true;
}

bool TavroKessaExplore::AddLookInEntry(TavroKessaExploreDialogEntry* entry, bool select) {
    if (!Ready() || entry == nullptr) return false;
    const LPARAM level = static_cast<LPARAM>(m_lookInPath.size());
    m_lookInPath.emplace_back(entry->GetDisplayName());
    HWND combo = GetDlgItem(Window(), IDC_EXPLORE_LOOK_IN);
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, level);
    if (select && index != CB_ERR && index != CB_ERRSPACE) {
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        m_lookInSelected = static_cast<int>(index);
    }
    // Resizing the drop-down costs a millisecond a level; a path of a hundred
    // levels is rebuilt at each step, so inside an event it is sized once, when
    // the event returns.
    m_lookInFitPending = true;
    if (!CallsRunning()) FitLookIn();
    // The root alone has no level above it.
    if (m_lookInPath.size() == 2) SetNavigationButton(m_up, true);
    return true;
}

bool TavroKessaExplore::ClearLookIn() {
    if (!Ready()) return false;
    SendDlgItemMessageA(Window(), IDC_EXPLORE_LOOK_IN, CB_RESETCONTENT, 0, 0);
    m_lookInPath.clear();
    m_lookInSelected = -1;
    SetNavigationButton(m_up, false);
    bool canGoBack = false;
    if (CallEvents(Call::Nested, [&](ITavroKessaExploreDialogEvents& events) { canGoBack = events.CanGoToLastFolder(this); }))
        SetNavigationButton(m_back, canGoBack);
    return true;
}

bool TavroKessaExplore::EndExplore(INT_PTR result) {
    if (!Standing()) return false;
    if (result == 1) {
        std::vector<int> selection = tk::SelectedIndices(m_list);
        std::vector<int>& chosen = m_params->GetSelections();
        chosen.insert(chosen.end(), selection.begin(), selection.end());
        End(1);
    } else {
        End(0);
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

// The host rebuilds the path on every step, which turns "Up" off and on again:
// inside an event only the wish is noted, and the buttons change once, when the
// event returns, and only where they differ from what is shown.
void TavroKessaExplore::SetNavigationButton(NavigationButton& button, bool enabled) {
    button.wanted = enabled;
    if (!CallsRunning()) SettleNavigationButtons();
}

void TavroKessaExplore::SettleNavigationButtons() {
    HWND window = Window();
    if (window == nullptr) return;
    for (NavigationButton* state : {&m_back, &m_up}) {
        int wanted = state->wanted ? 1 : 0;
        if (state->shown == wanted) continue;
        state->shown = wanted;
        HWND button = GetDlgItem(window, state->id);
        HICON picture = state->wanted ? state->enabledPicture : state->disabledPicture;
        SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
        // A keyboard user would be left on a dead button: hand the focus to the list.
        if (!state->wanted && button != nullptr && GetFocus() == button && m_list != nullptr)
            SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list), TRUE);
        EnableWindow(button, state->wanted ? TRUE : FALSE);
    }
}

int tk::ExploreIconSizeFor(SIZE client) {
    // The button's sunken border on each side, and a pixel more for the focus
    // frame drawn inside it.
    const int frame = 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
    const int room = std::min(client.cx, client.cy) - frame;
    return tk::LargestFitting(kExploreIconSizes, std::size(kExploreIconSizes), room);
}

HICON tk::ExploreButtonIcon(int iconId) {
    const int size = kExploreIconSizes[0];
    return static_cast<HICON>(
        LoadImageA(tk::ModuleHandle(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, LR_SHARED));
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
