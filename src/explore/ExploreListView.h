// The explore dialog's file list: a list view made at run time over the template's
// holder, showing the shell's small icons, with a subclass that reports double
// clicks; plus the routines that read it cheaply at tens of thousands of items.
#ifndef TAVROKESSAUI_EXPLORELISTVIEW_H
#define TAVROKESSAUI_EXPLORELISTVIEW_H

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "../service/Internal.h"

namespace tk {

// What the list view's subclass tells its dialog. The list view's user data
// points at it while the list view is the dialog's current one.
class ExploreListSink {
public:
    // A double click hit the item whose parameter is `index`.
    virtual void OnListDoubleClick(int index) = 0;
    // A C++ exception escaped the double-click handling.
    virtual void OnListFault() = 0;

protected:
    ~ExploreListSink() = default;
};

// Creates the list view (control IDC_EXPLORE_LIST) over `rect` in `dialog`'s client
// coordinates, right after `after` in the z-order (and so in the tab order), with
// the system's small-icon list. Null when it cannot be created.
HWND CreateExploreListView(HWND dialog, const RECT& rect, bool multipleSelections, HWND after);

// Routes the list view's messages through our subclass, reporting to `sink`.
void SubclassExploreListView(HWND list, ExploreListSink* sink);

// Appends one item at `position`.
void InsertExploreItem(HWND list, int position, const char* text, int image, int index);

// The text of item `position` (empty when there is none).
std::string ItemText(HWND list, int position);

// Parameters of the selected items, in list order.
std::vector<int> SelectedIndices(HWND list);

// The system small-icon position for a file name or for folders, asked of the
// shell once per extension (once per name where the icon depends on the whole
// name) and once for folders.
class ExploreIconCache {
public:
    // Asks the shell unless the answer is known.
    int FileIcon(const char* name);
    // The answer when it is known without asking.
    bool KnownFileIcon(const char* name, int& image);
    // `windowsFolder` null: image 0.
    int FolderIcon(LPCITEMIDLIST windowsFolder);

private:
    std::unordered_map<std::string, int> m_byExtension;
    // Reused for every lookup: asked once per entry, it never allocates once it
    // has grown to the longest key.
    std::string m_key;
    int m_folder = -1;
};

// The key under which a name's icon is cached: its lower-case extension as the
// shell finds it, "*" and the whole name where the icon depends on it, or empty
// for a name the shell may read otherwise (a path, a trailing dot), never cached.
std::string IconCacheKey(const char* name);
// The same, written into `key`; false (and `key` empty) where it would be empty.
bool BuildIconCacheKey(const char* name, std::string& key);

}  // namespace tk

#endif
