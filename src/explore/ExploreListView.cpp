#include "ExploreListView.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "../../res/resource.h"
#include "../service/ActivationContext.h"

namespace tk {
namespace {

// The list view class's own procedure. One slot for the whole module: every
// explore list view is made in the library's activation context, so all of
// them, in nested dialogs too, have the same previous procedure.
WNDPROC g_previousListProc = nullptr;

ExploreListSink* SinkOf(HWND list) {
    return reinterpret_cast<ExploreListSink*>(GetWindowLongPtrA(list, GWLP_USERDATA));
}

bool ItemIndex(HWND list, int position, int& index) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = position;
    item.iSubItem = 0;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return false;
    index = static_cast<int>(static_cast<INT_PTR>(item.lParam));
    return true;
}

void ReportDoubleClick(HWND list, LPARAM where, ExploreListSink& sink) {
    LVHITTESTINFO hit = {};
    hit.pt.x = static_cast<short>(LOWORD(where));
    hit.pt.y = static_cast<short>(HIWORD(where));
    int position = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (position == -1) return;
    int index = 0;
    if (ItemIndex(list, position, index)) sink.OnListDoubleClick(index);
}

LRESULT CALLBACK ListSubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    ExploreListSink* sink = SinkOf(list);
    if (message == WM_LBUTTONDBLCLK && sink != nullptr) {
        // The host runs inside this call; nothing it throws may cross into the system.
        try {
            ReportDoubleClick(list, lParam, *sink);
        } catch (...) {
            sink->OnListFault();
        }
    }
    // Every message, the double click too, goes on to the list view itself.
    if (g_previousListProc == nullptr) return DefWindowProcA(list, message, wParam, lParam);
    return CallWindowProcA(g_previousListProc, list, message, wParam, lParam);
}

}  // namespace

HWND CreateExploreListView(HWND dialog, const RECT& rect, bool multipleSelections, HWND after) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_LIST | LVS_SHAREIMAGELISTS;
    if (!multipleSelections) style |= LVS_SINGLESEL;
    HWND list;
    {
        ActivationScope scope;
        // No window text: the accessibility layer would read it out as the list's name.
        list = CreateWindowExA(0, WC_LISTVIEWA, "", style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EXPLORE_LIST)), ModuleHandle(),
                               nullptr);
    }
    if (list == nullptr) return nullptr;
    // Without this the list would come last in the tab order; the holder marks
    // its place.
    if (after != nullptr) SetWindowPos(list, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Nothing on disk is read: the pattern only names the shell's shared list,
    // which the list view never owns (LVS_SHAREIMAGELISTS) and nobody destroys.
    SHFILEINFOA info = {};
    HIMAGELIST system = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("*.exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                                    SHGFI_SYSICONINDEX | SHGFI_SMALLICON |
                                                                        SHGFI_USEFILEATTRIBUTES));
    if (system != nullptr) SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(system));
    return list;
}

void SubclassExploreListView(HWND list, ExploreListSink* sink) {
    SetWindowLongPtrA(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(sink));
    LONG_PTR previous = SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListSubclassProc));
    // A list view already ours (never the case today) must not make us call ourselves.
    if (previous != reinterpret_cast<LONG_PTR>(&ListSubclassProc))
        g_previousListProc = reinterpret_cast<WNDPROC>(previous);
}

void InsertExploreItem(HWND list, int position, const char* text, int image, int index) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position;
    item.iSubItem = 0;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = static_cast<LPARAM>(index);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::string ItemText(HWND list, int position) {
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        buffer.back() = '\0';
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
        // The length the list answers is not to be trusted: a text longer than the
        // buffer may come back cut and unterminated, measured past the buffer's end.
        buffer.back() = '\0';
        const size_t length = std::strlen(buffer.data());
        // A text that filled the buffer may have been cut: try again with more room.
        if (length + 1 < buffer.size() || buffer.size() >= 65536) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

std::vector<int> SelectedIndices(HWND list) {
    std::vector<int> indices;
    if (list == nullptr) return indices;
    // Each search starts after the last find, so the whole walk is one pass.
    int position = -1;
    while ((position = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(position),
                                                     MAKELPARAM(LVNI_SELECTED, 0)))) != -1) {
        int index = 0;
        if (ItemIndex(list, position, index)) indices.push_back(index);
    }
    return indices;
}

bool BuildIconCacheKey(const char* name, std::string& key) {
    key.clear();
    if (name == nullptr || *name == '\0') return false;
    const size_t length = std::strlen(name);
    const char* const end = name + length;
    // Under a double-byte code page a trail byte may look like a backslash, '.' or a
    // capital letter: every test below is made on whole characters only.
    auto next = [end](const char* c) {
        return IsDBCSLeadByte(static_cast<BYTE>(*c)) && c + 1 != end ? c + 2 : c + 1;
    };
    const char* dot = nullptr;
    const char* last = name;
    for (const char* c = name; c != end; c = next(c)) {
        last = c;
        // Paths and drive letters: the shell's view of such a name is not simply
        // its extension's.
        if (*c == '\\' || *c == '/' || *c == ':') return false;
        if (*c == '.') dot = c;
    }
    // Names the file system would trim.
    if (*last == '.' || *last == ' ') return false;
    if (dot == nullptr) {
        key = ".";  // no extension: all such names look alike
        return true;
    }
    for (const char* c = dot; c != end;) {
        const char* after = next(c);
        if (after - c == 1) {
            if (*c == ' ') {
                key.clear();
                return false;
            }
            key.push_back(*c >= 'A' && *c <= 'Z' ? static_cast<char>(*c - 'A' + 'a') : *c);
        } else {
            key.append(c, after);  // a double-byte character is never folded
        }
        c = after;
    }
    // The shell draws these from the file itself: each name has its own icon, the
    // same each time that name is asked for (a '*' cannot start an extension).
    static const char* const kOwnIcon[] = {".exe", ".ico", ".cur", ".ani", ".lnk", ".dll"};
    for (const char* own : kOwnIcon) {
        if (key == own) {
            key.assign(1, '*');
            key.append(name, length);
            break;
        }
    }
    return true;
}

std::string IconCacheKey(const char* name) {
    std::string key;
    BuildIconCacheKey(name, key);
    return key;
}

bool ExploreIconCache::KnownFileIcon(const char* name, int& image) {
    if (!BuildIconCacheKey(name, m_key)) return false;
    auto found = m_byExtension.find(m_key);
    if (found == m_byExtension.end()) return false;
    image = found->second;
    return true;
}

int ExploreIconCache::FileIcon(const char* name) {
    int image = 0;
    if (KnownFileIcon(name, image)) return image;
    SHFILEINFOA info = {};
    SHGetFileInfoA(name != nullptr ? name : "", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    // KnownFileIcon left the name's key in m_key, empty where it must not be cached.
    if (!m_key.empty()) m_byExtension.emplace(m_key, info.iIcon);
    return info.iIcon;
}

int ExploreIconCache::FolderIcon(LPCITEMIDLIST windowsFolder) {
    if (windowsFolder == nullptr) return 0;
    if (m_folder < 0) {
        SHFILEINFOA info = {};
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(windowsFolder), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
        m_folder = std::max(info.iIcon, 0);
    }
    return m_folder;
}

}  // namespace tk
