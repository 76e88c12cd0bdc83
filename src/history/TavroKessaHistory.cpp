#include "TavroKessaHistory.h"

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

#include "../../res/resource.h"
#include "../service/ActivationContext.h"
#include "../service/DialogHelpers.h"
#include "../service/FixedText.h"
#include "../service/Layout.h"
#include "../service/Scale.h"
#include "tavrokessaui.h"

namespace {

constexpr int kImageWidth = 16;
constexpr int kImageHeight = 14;

// Beyond this many marked rows one pass over all rows is cheaper than finding
// each of them.
constexpr size_t kMarkedRowsFoundOneByOne = 16;

void SetSubItemText(HWND list, int row, int subItem, const char* text) {
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

RECT WindowRectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

INT_PTR TavroKessaHistory::Run(HWND parent, ITavroKessaUIHost* host, TavroKessaHistoryDialogParams* params) {
    if (params == nullptr) return -1;
    m_host = host;
    m_params = params;
    // One controller per dialog: nothing of it outlives this call.
    return RunModal(parent, IDD_HISTORY);
}

// --- Start-up ------------------------------------------------------------------

BOOL TavroKessaHistory::OnInit() {
    HWND dialog = Window();
    tk::ApplyStartAppearance(dialog, m_host);
    SetDlgItemTextA(dialog, IDC_HISTORY_PATH, m_params->GetKessaPath());

    m_list = GetDlgItem(dialog, IDC_HISTORY_LIST);
    if (m_list == nullptr) return TRUE;
    RECT start = {};
    GetWindowRect(dialog, &start);
    SetMinimumSize(SIZE{start.right - start.left, start.bottom - start.top});
    EnableWindow(GetDlgItem(dialog, IDC_HISTORY_GET_VERSION), FALSE);
    RECT client = {};
    GetClientRect(dialog, &client);
    OnSize(client.right, client.bottom);
    SetUpColumns();
    // The dialog is not visible yet: the rows go in before anything is painted.
    FillRows();
    // Only now: with these styles set, every sub-item text that goes in also
    // asks the header for its order, which costs a fifth of the fill.
    const DWORD extended = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP;
    SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    ApplyHostColours();
    return TRUE;
}

void TavroKessaHistory::SetUpColumns() {
    if (!m_images) {
        // The marker and the arrows at the display's scale, each pixel a square.
        const int factor = tk::PictureFactor(tk::WindowDpi(Window()));
        tk::UniqueBitmap strip(LoadBitmapA(tk::ModuleHandle(), MAKEINTRESOURCEA(IDB_HISTORY_IMAGES)));
        tk::UniqueBitmap mask(LoadBitmapA(tk::ModuleHandle(), MAKEINTRESOURCEA(IDB_HISTORY_MASK)));
        int scale = 1;
        if (factor > 1 && strip && mask) {
            tk::UniqueBitmap largeStrip(tk::EnlargeBitmap(strip.Get(), factor));
            tk::UniqueBitmap largeMask(tk::EnlargeBitmap(mask.Get(), factor));
            // Both or neither: the mask must match the images pixel for pixel.
            if (largeStrip && largeMask) {
                strip = std::move(largeStrip);
                mask = std::move(largeMask);
                scale = factor;
            }
        }
        tk::ActivationScope scope;
        m_images.Reset(ImageList_Create(kImageWidth * scale, kImageHeight * scale, ILC_MASK | ILC_COLOR16, 4, 0));
        if (m_images && strip) ImageList_Add(m_images.Get(), strip.Get(), mask.Get());
    }
    // The list shares its image lists, so it never destroys this one; the
    // header takes it as well and shows the sort arrows from it.
    SendMessageA(m_list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_images.Get()));

    RECT client = {};
    GetClientRect(m_list, &client);
    int widths[tk::kHistoryColumnCount + 1];
    tk::HistoryColumnWidths(client.right - client.left, widths);

    // Column 0 of a list cannot take every format; a placeholder takes that
    // place and goes again, so every real column has an image on the right.
    static const UINT kTitles[tk::kHistoryColumnCount + 1] = {
        IDS_COLUMN_VERSION, 0, IDS_COLUMN_VERSION, IDS_COLUMN_DATE, IDS_COLUMN_CREATED_BY, IDS_COLUMN_COMMENT,
    };
    for (int column = 0; column <= tk::kHistoryColumnCount; ++column) {
        const char* title = kTitles[column] != 0 ? tk::LoadResourceText(kTitles[column]) : " ";
        LVCOLUMNA info = {};
        info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM | LVCF_IMAGE;
        info.fmt = LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT;
        info.cx = widths[column];
        info.pszText = const_cast<char*>(title != nullptr ? title : "");
        info.iSubItem = column;
        info.iImage = tk::kImageBlank;
        SendMessageA(m_list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    }
    SendMessageA(m_list, LVM_DELETECOLUMN, 0, 0);
}

void TavroKessaHistory::FillRows() {
    const unsigned count = m_params->NumEntries();
    if (count == 0) return;
    const int localVersion = m_params->GetLocalVer();
    tk::RedrawSuspension suspension(m_list);
    tk::ScopedRedrawHold quiet(suspension, tk::RedrawSuspension::kFill);
    std::string firstLine;
    tk::FixedText<16> number;
    for (unsigned position = 0; position < count; ++position) {
        TavroKessaFileHistoryEntry* entry = m_params->GetEntry(position);
        if (entry == nullptr) continue;
        const bool local = entry->GetLatestVer() == localVersion;

        LVITEMA item = {};
        item.mask = LVIF_IMAGE | LVIF_PARAM;
        item.iItem = m_rowsInserted;
        item.iImage = local ? tk::kImageLocal : tk::kImageBlank;
        item.lParam = static_cast<LPARAM>(position);
        const int row = static_cast<int>(SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0) continue;
        ++m_rowsInserted;
        if (local) m_markedPositions.push_back(static_cast<int>(position));

        number.Format("%d", entry->GetLatestVer());
        SetSubItemText(m_list, row, tk::kColumnVersion, number.c_str());
        SetSubItemText(m_list, row, tk::kColumnDate, entry->GetLastModDateLatest());
        SetSubItemText(m_list, row, tk::kColumnAuthor, entry->GetUserNameA());
        const char* comment = entry->GetComment();
        if (comment == nullptr) comment = "";
        const size_t shown = tk::FirstLineLength(comment);
        if (comment[shown] == '\0') {
            SetSubItemText(m_list, row, tk::kColumnComment, comment);
        } else {
            firstLine.assign(comment, shown);
            SetSubItemText(m_list, row, tk::kColumnComment, firstLine.c_str());
        }
    }
}

void TavroKessaHistory::ApplyHostColours() {
    if (m_host == nullptr) return;
    const COLORREF background = m_host->GetColor(COLOR_WINDOW);
    const COLORREF text = m_host->GetColor(COLOR_WINDOWTEXT);
    SendMessageA(m_list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    SendMessageA(m_list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
    SendMessageA(m_list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
}

// --- Commands and notifications -------------------------------------------------

bool TavroKessaHistory::OnCommand(int id, int, HWND) {
    switch (id) {
    case IDC_HISTORY_GET_VERSION:
    case IDM_HISTORY_GET_VERSION:
        GetVersion(false);
        return true;
    case IDM_HISTORY_GET_VERSION_FLAGGED:
        GetVersion(true);
        return true;
    default:
        return false;
    }
}

LRESULT TavroKessaHistory::OnNotify(int, NMHDR& header) {
    // By code alone, whatever control sends it.
    switch (header.code) {
    case LVN_COLUMNCLICK:
        OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return 0;
    case LVN_ITEMCHANGED:
        OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
        return 0;
    case LVN_DELETEALLITEMS:
        // The rows leave with the dialog; nobody needs a notification for each.
        return header.hwndFrom == m_list ? TRUE : 0;
    default:
        return 0;
    }
}

bool TavroKessaHistory::OnPrivateMessage(UINT message, WPARAM, LPARAM) {
    if (message != tk::kMsgSelectionSettled) return false;
    OnSelectionSettled();
    return true;
}

void TavroKessaHistory::OnCallsReturned() {
    if (!m_settleWhenCallsReturn) return;
    m_settleWhenCallsReturn = false;
    OnSelectionSettled();
}

// --- Layout ----------------------------------------------------------------------

void TavroKessaHistory::OnSize(int width, int height) {
    if (m_list == nullptr) return;
    HWND dialog = Window();
    HWND path = GetDlgItem(dialog, IDC_HISTORY_PATH);
    HWND comment = GetDlgItem(dialog, IDC_HISTORY_COMMENT);
    HWND getVersion = GetDlgItem(dialog, IDC_HISTORY_GET_VERSION);
    HWND close = GetDlgItem(dialog, IDCANCEL);
    const RECT list = WindowRectOf(m_list);
    if (m_margin < 0)
        m_margin = tk::HistoryMargin(width, list.right - list.left, tk::RectInParent(dialog, m_list).left);

    const RECT pathRect = WindowRectOf(path);
    const RECT commentRect = WindowRectOf(comment);
    const RECT getVersionRect = WindowRectOf(getVersion);
    const RECT closeRect = WindowRectOf(close);
    tk::HistoryLayoutInput input;
    input.width = width;
    input.height = height;
    input.margin = m_margin;
    input.pathHeight = pathRect.bottom - pathRect.top;
    input.commentHeight = commentRect.bottom - commentRect.top;
    input.getVersionWidth = getVersionRect.right - getVersionRect.left;
    input.getVersionHeight = getVersionRect.bottom - getVersionRect.top;
    input.closeWidth = closeRect.right - closeRect.left;
    input.closeHeight = closeRect.bottom - closeRect.top;
    const tk::HistoryLayout layout = tk::ComputeHistoryLayout(input);

    const tk::Placement placements[] = {
        {path, layout.path}, {getVersion, layout.getVersion}, {close, layout.close},
        {comment, layout.comment}, {m_list, layout.list},
    };
    tk::PlaceControls(dialog, placements, sizeof(placements) / sizeof(placements[0]));
}

// --- Rows and selection -------------------------------------------------------------

int TavroKessaHistory::RowPosition(int row) const {
    if (row < 0) return -1;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = -1;
    if (!SendMessageA(m_list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return item.lParam >= 0 && item.lParam <= INT_MAX ? static_cast<int>(item.lParam) : -1;
}

int TavroKessaHistory::RowOfPosition(int position, int likelyRow) const {
    if (likelyRow >= 0 && RowPosition(likelyRow) == position) return likelyRow;
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = position;
    return static_cast<int>(SendMessageA(m_list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

TavroKessaFileHistoryEntry* TavroKessaHistory::EntryAt(int position) const {
    if (m_params == nullptr || position < 0 || static_cast<unsigned>(position) >= m_params->NumEntries()) return nullptr;
    return m_params->GetEntry(static_cast<unsigned>(position));
}

int TavroKessaHistory::SelectedRow() {
    if (m_list == nullptr) return -1;
    // A single-selection list has one selected row at most: when the row the
    // notifications named is still selected, it is the one.
    if (m_selectionHint >= 0 &&
        (SendMessageA(m_list, LVM_GETITEMSTATE, static_cast<WPARAM>(m_selectionHint), LVIS_SELECTED) & LVIS_SELECTED))
        return m_selectionHint;
    const int row = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    m_selectionHint = row;
    return row;
}

void TavroKessaHistory::OnItemChanged(const NMLISTVIEW& change) {
    if (change.hdr.hwndFrom != m_list) return;
    if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) {
        if (change.uNewState & LVIS_SELECTED)
            m_selectionHint = change.iItem;
        else if (change.iItem == m_selectionHint || change.iItem < 0)
            m_selectionHint = -1;
    }
    // One look at the selection per burst, once the list has finished changing it,
    // not one for every row a change touched.
    if (!m_selectionPending) m_selectionPending = PostMessageA(Window(), tk::kMsgSelectionSettled, 0, 0) != FALSE;
}

void TavroKessaHistory::OnSelectionSettled() {
    m_selectionPending = false;
    if (m_list == nullptr || m_params == nullptr) return;
    // A host event is running (a fetch with its own loop): the selection is looked
    // at, and the host asked about it, when the event has returned.
    if (CallsRunning()) {
        m_settleWhenCallsReturn = true;
        return;
    }
    HWND dialog = Window();
    HWND button = GetDlgItem(dialog, IDC_HISTORY_GET_VERSION);
    const int row = SelectedRow();
    const int position = RowPosition(row);
    TavroKessaFileHistoryEntry* entry = EntryAt(position);

    bool available = false;
    ITavroKessaHistoryDialogEvents* events = m_params->GetITavroKessaHistoryDialogEvents();
    if (entry != nullptr && events != nullptr &&
        !CallHost(Call::User, [&] { available = events->CanGetVersion(entry->GetEntry(), dialog); }))
        return;
    // Disabling the focused button would leave the keyboard with nowhere to go.
    if (!available && GetFocus() == button) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list), TRUE);
    EnableWindow(button, available ? TRUE : FALSE);

    // The box keeps the last comment when nothing is selected. Setting an edit
    // control's text is slow enough to skip when it would not change.
    if (entry != nullptr && position != m_commentPosition) {
        SetDlgItemTextA(dialog, IDC_HISTORY_COMMENT, entry->GetComment());
        m_commentPosition = position;
    }
}

void TavroKessaHistory::SetRowImage(int row, int image) const {
    if (row < 0) return;
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    SendMessageA(m_list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// --- Context menu and get version ---------------------------------------------------

bool TavroKessaHistory::OnContextMenu(HWND target, POINT screen) {
    if (m_list == nullptr || target != m_list) return false;
    const int row = SelectedRow();
    TavroKessaFileHistoryEntry* entry = EntryAt(RowPosition(row));
    if (entry == nullptr) return true;
    tk::UniqueMenu menu(LoadMenuA(tk::ModuleHandle(), MAKEINTRESOURCEA(IDM_HISTORY)));
    if (!menu) return true;

    HWND dialog = Window();
    ITavroKessaHistoryDialogEvents* events = m_params->GetITavroKessaHistoryDialogEvents();
    bool available = true;
    // Also refused while another event runs: no menu then.
    if (!CallHost(Call::User, [&] {
            if (events != nullptr) available = events->CanGetVersion(entry->GetEntry(), dialog);
        }))
        return true;
    if (!available) {
        EnableMenuItem(menu.Get(), IDM_HISTORY_GET_VERSION, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(menu.Get(), IDM_HISTORY_GET_VERSION_FLAGGED, MF_BYCOMMAND | MF_GRAYED);
    }
    // From the keyboard (the menu key, Shift+F10) the point is (-1, -1), which is
    // the screen's corner: the menu opens beside the selected row instead.
    if (screen.x == -1 && screen.y == -1) screen = BesideRow(row);
    TrackPopupMenu(GetSubMenu(menu.Get(), 0), 0, screen.x, screen.y, 0, dialog, nullptr);
    return true;
}

POINT TavroKessaHistory::BesideRow(int row) const {
    // Scrolled into view first, so that the menu opens next to what it acts on.
    SendMessageA(m_list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT cell = {};
    cell.top = tk::kColumnVersion;
    cell.left = LVIR_LABEL;
    SendMessageA(m_list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    RECT client = {};
    GetClientRect(m_list, &client);
    // Below the row, under its first text, kept inside the list.
    POINT at = {std::max(cell.left, client.left), std::min(cell.bottom, client.bottom)};
    ClientToScreen(m_list, &at);
    return at;
}

void TavroKessaHistory::GetVersion(bool flag) {
    if (m_params == nullptr || m_list == nullptr) return;
    ITavroKessaHistoryDialogEvents* events = m_params->GetITavroKessaHistoryDialogEvents();
    if (events == nullptr) return;
    const int row = SelectedRow();
    const int position = RowPosition(row);
    TavroKessaFileHistoryEntry* entry = EntryAt(position);
    if (entry == nullptr) return;

    HWND dialog = Window();
    bool fetched = false;
    if (!CallHost(Call::User, [&] { fetched = events->OnGetVersion(entry->GetEntry(), flag, dialog); })) return;
    if (!fetched) return;
    // The host may have let the user sort while it fetched: find the row again.
    MoveMarkerTo(position, RowOfPosition(position, row));
}

void TavroKessaHistory::MoveMarkerTo(int position, int row) {
    if (m_markedPositions.size() <= kMarkedRowsFoundOneByOne) {
        for (int marked : m_markedPositions)
            if (marked != position) SetRowImage(RowOfPosition(marked, -1), tk::kImageBlank);
    } else {
        const int rows = static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
        for (int other = 0; other < rows; ++other) {
            LVITEMA item = {};
            item.mask = LVIF_IMAGE | LVIF_PARAM;
            item.iItem = other;
            if (SendMessageA(m_list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) &&
                item.iImage == tk::kImageLocal && item.lParam != position)
                SetRowImage(other, tk::kImageBlank);
        }
    }
    SetRowImage(row, tk::kImageLocal);
    m_markedPositions.assign(1, position);
}

// --- Sorting ---------------------------------------------------------------------

void TavroKessaHistory::SetHeaderImage(int column, int image) const {
    // The image alone: changing the format with it can lose the header's image flag.
    LVCOLUMNA info = {};
    info.mask = LVCF_IMAGE;
    info.iImage = image;
    SendMessageA(m_list, LVM_SETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
}

void TavroKessaHistory::OnColumnClick(int column) {
    if (m_list == nullptr || column <= tk::kColumnMarker) return;
    if (m_sortColumn >= 0) SetHeaderImage(m_sortColumn, tk::kImageBlank);
    m_sortDirection = tk::NextSortDirection(m_sortDirection);
    m_sortColumn = column;
    SetHeaderImage(column, m_sortDirection == tk::kAscending ? tk::kImageUp : tk::kImageDown);
    SortRows();
}

void TavroKessaHistory::SortRows() {
    const unsigned count = m_params->NumEntries();
    m_sortKeys.resize(count);
    for (unsigned position = 0; position < count; ++position)
        m_sortKeys[position] = tk::MakeHistorySortKey(m_params->GetEntry(position), m_sortColumn);
    SendMessageA(m_list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareRows));
    m_sortKeys.clear();
}

int CALLBACK TavroKessaHistory::CompareRows(LPARAM first, LPARAM second, LPARAM self) {
    const auto* history = reinterpret_cast<const TavroKessaHistory*>(self);
    if (history == nullptr) return 0;
    const std::vector<tk::HistorySortKey>& keys = history->m_sortKeys;
    if (first < 0 || second < 0 || static_cast<size_t>(first) >= keys.size() || static_cast<size_t>(second) >= keys.size())
        return 0;
    return tk::CompareHistoryKeys(keys[static_cast<size_t>(first)], keys[static_cast<size_t>(second)],
                                  history->m_sortColumn, history->m_sortDirection);
}
