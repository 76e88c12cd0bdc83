// Controller of the explore dialog: an open-file style view of the server's tree
// that the host drives entirely. Every user action becomes an event; the host
// answers through this object's ITavroKessaExploreDialog operations, re-entrantly,
// to refill the list and the "Look in:" path and to end the dialog.
#ifndef TAVROKESSAUI_TAVROKESSAEXPLORE_H
#define TAVROKESSAUI_TAVROKESSAEXPLORE_H

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "../../res/resource.h"
#include "../service/DialogBase.h"
#include "../service/Handles.h"
#include "ExploreLayout.h"
#include "ExploreListView.h"
#include "tavrokessaui.h"

namespace tk {
// The picture of a navigation button: the icon's own 16 x 16 image (the system's
// large icon size would overflow the small buttons), shared for the module's
// lifetime.
TK_INTERNAL HICON ExploreButtonIcon(int iconId);
}  // namespace tk

class TavroKessaExplore final : public ITavroKessaExploreDialog, public tk::DialogBase, private tk::ExploreListSink {
public:
    // Takes the shell's allocator and, with it, the Windows folder's location,
    // whose icon folders show.
    TavroKessaExplore();
    ~TavroKessaExplore() override;

    // 1 after EndExplore(1), 0 after Cancel or any other EndExplore, -1 when the
    // dialog cannot be shown, the params carry no events object, or an event threw.
    INT_PTR Run(HWND parent, ITavroKessaUIHost* host, TavroKessaExploreDialogParams* params);

    // The host's operations. Each is refused (false, nothing done) until the list
    // view exists and once the dialog has ended.
    bool AddListEntry(TavroKessaExploreDialogEntry* entry) override;
    bool ClearEntries() override;
    bool AddLookInEntry(TavroKessaExploreDialogEntry* entry, bool select) override;
    bool ClearLookIn() override;
    bool EndExplore(INT_PTR result) override;
    const char* GetCurrentFilterExtensions() override;
    bool Redraw() override;

private:
    class HostCall;

    INT_PTR OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnException() override;
    void OnDismissed() override;

    INT_PTR OnCommand(int id, int code);
    INT_PTR OnNotify(const NMHDR& header);
    void OnItemImageWanted(NMLVDISPINFOA& info);
    void OnOpen();
    void OnLookInChosen();
    void OnFilterChosen();
    void OnSelectionChanged(HWND from);
    void OnGatherSelection();
    void EndQuietBurst();
    void OnSizing(WPARAM edge, RECT& proposed);
    void Relayout();

    // ExploreListSink
    void OnListDoubleClick(int index) override;
    void OnListFault() override;

    bool Ready() const;
    void EndWith(INT_PTR result);
    ITavroKessaExploreDialogEvents* Events() const;
    template <typename Call>
    bool CallHost(Call&& call);

    void LoadPictures();
    void CaptureLayout();
    void FillFilters();
    struct NavigationButton {
        int id = 0;
        int enabledIcon = 0;
        int disabledIcon = 0;
        bool wanted = false;
        int shown = -1;  // 1 enabled, 0 disabled, -1 not yet set
    };
    void SetNavigationButton(NavigationButton& button, bool enabled);
    void SettleNavigationButtons();

    void EmptyFileName();
    void ShowFileName(const std::string& text);
    void SuspendListRedraw();
    void ResumeListRedraw();
    void FitLookIn();

    ITavroKessaUIHost* m_host = nullptr;
    HWND m_list = nullptr;
    TavroKessaExploreDialogParams* m_params = nullptr;
    // Items added since the list was last emptied: where the next one goes.
    int m_itemCount = 0;
    int m_currentFilter = 0;

    // Start geometry: the minimum size and the reference for re-layout.
    RECT m_initialRect = {};
    RECT m_controlRects[tk::kExploreAnchorCount] = {};
    bool m_layoutCaptured = false;

    IMalloc* m_allocator = nullptr;
    LPITEMIDLIST m_windowsFolder = nullptr;
    // Item i of the "Look in:" drop-down is drawn from element i.
    std::vector<std::string> m_lookInPath;
    tk::UniqueBitmap m_folderBitmap;
    tk::UniqueBitmap m_rootBitmap;

    tk::ExploreIconCache m_icons;

    // Set by EndExplore, Cancel or a fault: from then on nothing reaches the host
    // and the operations are refused.
    bool m_ended = false;
    // A selection change is waiting to be gathered (one private message per burst).
    bool m_gatherPending = false;
    // Changes in the current burst, and whether the list stopped drawing for it.
    int m_burstChanges = 0;
    bool m_burstQuiet = false;
    // Counts selection changes and clears, so that a late answer can be told stale.
    unsigned int m_selectionChanges = 0;
    bool m_fileNameShown = false;
    // Host events in progress (they nest), and whether the list stopped drawing
    // for them.
    int m_hostCalls = 0;
    bool m_redrawSuspended = false;
    bool m_lookInFitPending = false;
    // Items in the "Look in:" drop-down when it was last sized.
    int m_lookInFittedCount = -1;
    // Both start disabled; the first settling sets their pictures.
    NavigationButton m_back{IDC_EXPLORE_BACK, IDI_EXPLORE_BACK, IDI_EXPLORE_BACK_DISABLED};
    NavigationButton m_up{IDC_EXPLORE_UP, IDI_EXPLORE_UP, IDI_EXPLORE_UP_DISABLED};
};

#endif
