#include "Baselines.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "Bench.h"
#include "BaselineIds.h"

namespace bench {

HIMAGELIST SystemSmallIcons() {
    SHFILEINFOA info = {};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("*.exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON |
                                                           SHGFI_USEFILEATTRIBUTES));
}

int FixedImage() {
    static const int image = [] {
        SHFILEINFOA info = {};
        SHGetFileInfoA("fixed.txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
        return info.iIcon;
    }();
    return image;
}

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

void CloseBare(HWND dialog, bool modeless) {
    if (modeless)
        DestroyWindow(dialog);
    else
        EndDialog(dialog, 0);
}

// --- The bare list ---------------------------------------------------------------------

void InsertItems(BareList& bare) {
    const int image = FixedImage();
    const std::vector<Item>& items = *bare.items;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iImage = image;
    for (size_t i = 0; i < items.size(); ++i) {
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(items[i].name.c_str());
        item.lParam = static_cast<LPARAM>(i);
        SendMessageA(bare.list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ++bare.fills;
}

// Any list of thousands is filled with its redraw suspended, hidden or not: that
// is the platform's own way, not a refinement of ours.
class Quiet {
public:
    explicit Quiet(HWND list) : m_list(list) { SendMessageA(m_list, WM_SETREDRAW, FALSE, 0); }
    ~Quiet() {
        SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(m_list, nullptr, TRUE);
    }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    HWND m_list;
};

void Refill(BareList& bare) {
    Quiet quiet(bare.list);
    SendMessageA(bare.list, LVM_DELETEALLITEMS, 0, 0);
    InsertItems(bare);
}

INT_PTR CALLBACK BareListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* bare = reinterpret_cast<BareList*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        bare = reinterpret_cast<BareList*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        bare->dialog = dialog;
        // Where the explore dialog's list goes.
        RECT rect = {7, 25, 7 + 324, 25 + 93};
        MapDialogRect(dialog, &rect);
        DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_LIST | LVS_SHAREIMAGELISTS;
        if (!bare->multipleSelection) style |= LVS_SINGLESEL;
        bare->list = CreateWindowExA(0, WC_LISTVIEWA, "", style, rect.left, rect.top, rect.right - rect.left,
                                     rect.bottom - rect.top, dialog,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_BARE_LIST)), Self(), nullptr);
        SendMessageA(bare->list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(SystemSmallIcons()));
        Quiet quiet(bare->list);
        InsertItems(*bare);
        return TRUE;
    }
    if (bare == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                CloseBare(dialog, bare->modeless);
                return TRUE;
            }
            if (LOWORD(wParam) == IDC_BARE_REFILL) {
                Refill(*bare);
                return TRUE;
            }
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code == NM_DBLCLK && bare->next) {
                const std::vector<Item>* items = bare->next();
                if (items != nullptr) {
                    bare->items = items;
                    Refill(*bare);
                }
            }
            break;
        }
        case WM_NCDESTROY:
            bare->dialog = bare->list = nullptr;
            break;
        default:
            break;
    }
    return FALSE;
}

// --- The bare report list ------------------------------------------------------------------

const Version& RowVersion(const BareReport& bare, LPARAM row) {
    const std::vector<Version>& versions = *bare.versions;
    return versions[versions.size() - 1 - static_cast<size_t>(row)];
}

int Sign(int value) { return (value > 0) - (value < 0); }

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto* bare = reinterpret_cast<const BareReport*>(context);
    const Version& a = RowVersion(*bare, first);
    const Version& b = RowVersion(*bare, second);
    int result = 0;
    switch (bare->column) {
        case 1: result = (a.number > b.number) - (a.number < b.number); break;
        case 2: result = (a.key > b.key) - (a.key < b.key); break;
        case 3: result = Sign(std::strcmp(a.author.c_str(), b.author.c_str())); break;
        case 4: result = Sign(std::strcmp(a.comment.c_str(), b.comment.c_str())); break;
        default: break;
    }
    return bare->direction == 2 ? -result : result;
}

void FillReport(BareReport& bare) {
    RECT client;
    GetClientRect(bare.list, &client);
    const float width = static_cast<float>(client.right);
    const char* titles[] = {" ", "Version", "Date", "Created By", "Comment"};
    const float fractions[] = {0.04f, 0.15f, 0.25f, 0.2f, 0.3f};
    for (int c = 0; c < 5; ++c) {
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = static_cast<int>(width * fractions[c]);
        column.pszText = const_cast<char*>(titles[c]);
        column.iSubItem = c;
        SendMessageA(bare.list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    const int count = static_cast<int>(bare.versions->size());
    Quiet quiet(bare.list);
    LVITEMA item = {};
    for (int row = 0; row < count; ++row) {
        const Version& version = RowVersion(bare, row);
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.iSubItem = 0;
        item.pszText = const_cast<char*>("");
        item.lParam = row;
        SendMessageA(bare.list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const char* texts[] = {bare.numbers[static_cast<size_t>(version.number - 1)].c_str(), version.date.c_str(),
                               version.author.c_str(), version.firstLine.c_str()};
        for (int sub = 1; sub <= 4; ++sub) {
            LVITEMA text = {};
            text.iSubItem = sub;
            text.pszText = const_cast<char*>(texts[sub - 1]);
            SendMessageA(bare.list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&text));
        }
    }
}

INT_PTR CALLBACK BareReportProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* bare = reinterpret_cast<BareReport*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        bare = reinterpret_cast<BareReport*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        bare->dialog = dialog;
        bare->list = GetDlgItem(dialog, IDC_BARE_LIST);
        FillReport(*bare);
        return TRUE;
    }
    if (bare == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                CloseBare(dialog, bare->modeless);
                return TRUE;
            }
            break;
        case WM_NOTIFY: {
            auto* click = reinterpret_cast<NMLISTVIEW*>(lParam);
            if (click->hdr.code == LVN_COLUMNCLICK && click->iSubItem > 0) {
                bare->direction = bare->direction == 1 ? 2 : 1;
                bare->column = click->iSubItem;
                SendMessageA(bare->list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(bare),
                             reinterpret_cast<LPARAM>(&CompareRows));
            }
            break;
        }
        case WM_NCDESTROY:
            bare->dialog = bare->list = nullptr;
            break;
        default:
            break;
    }
    return FALSE;
}

INT_PTR CALLBACK BareProgressProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageA(dialog, IDC_BARE_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        return TRUE;
    }
    return FALSE;
}

// A baseline's template run modally, or shown modeless at the top left.
template <typename Bare>
INT_PTR RunBare(int id, DLGPROC procedure, Bare& bare) {
    bare.modeless = false;
    return DialogBoxParamA(Self(), MAKEINTRESOURCEA(id), nullptr, procedure, reinterpret_cast<LPARAM>(&bare));
}

template <typename Bare>
HWND OpenBare(int id, DLGPROC procedure, Bare& bare) {
    bare.modeless = true;
    HWND dialog = CreateDialogParamA(Self(), MAKEINTRESOURCEA(id), nullptr, procedure, reinterpret_cast<LPARAM>(&bare));
    if (dialog == nullptr) return nullptr;
    MoveToCorner(dialog, 0);
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    return dialog;
}

}  // namespace

INT_PTR RunBareList(BareList& bare) { return RunBare(IDD_BARE_LIST, &BareListProc, bare); }

HWND OpenBareList(BareList& bare) { return OpenBare(IDD_BARE_LIST, &BareListProc, bare); }

void PostRefill(const BareList& bare) {
    PostMessageA(bare.dialog, WM_COMMAND, MAKEWPARAM(IDC_BARE_REFILL, BN_CLICKED), 0);
}

INT_PTR RunBareReport(BareReport& bare) { return RunBare(IDD_BARE_REPORT, &BareReportProc, bare); }

HWND OpenBareReport(BareReport& bare) { return OpenBare(IDD_BARE_REPORT, &BareReportProc, bare); }

void PostColumnClick(HWND dialog, HWND list, int column) {
    // Posted, so the notification must outlive this call; one click is in flight
    // at a time.
    static NMLISTVIEW click;
    click = NMLISTVIEW{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    PostMessageA(dialog, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

HWND OpenBareProgress() {
    HWND window = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_BARE_PROGRESS), nullptr, &BareProgressProc, 0);
    if (window == nullptr) return nullptr;
    // Centred on the screen, where our progress window without an owner goes.
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window, SW_SHOW);
    return window;
}

void UpdateBareProgress(HWND window, const char* caption, const char* message, const char* file, int percent) {
    if (*caption != '\0') SetWindowTextA(window, caption);
    if (*message != '\0') SetDlgItemTextA(window, IDC_BARE_MESSAGE, message);
    if (*file != '\0') SetDlgItemTextA(window, IDC_BARE_FILE, file);
    SendDlgItemMessageA(window, IDC_BARE_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    UpdateWindow(window);
}

}  // namespace bench
