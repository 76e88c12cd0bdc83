// Controller of the explore dialog: an open-file style view of the server's tree
// that the host drives entirely. Every user action becomes an event; the host
// answers through this object's ITavroKessaExploreDialog operations, re-entrantly,
// to refill the list and the "Look in:" path and to end the dialog.
#ifndef TAVROKESSAUI_TAVROKESSAEXPLORE_H
#define TAVROKESSAUI_TAVROKESSAEXPLORE_H

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "../../res/resource.h"
#include "../service/DialogBase.h"
#include "../service/Handles.h"
#include "../service/Layout.h"
#include "../service/Redraw.h"
#include "ExploreListView.h"
#include "tavrokessaui.h"

namespace tk {
// The picture of a navigation button at 100 %: the icon's own 16 x 16 image (the
// system's large icon size would overflow the small buttons), shared for the
// module's lifetime.
HICON ExploreButtonIcon(int iconId);
// The sizes of the navigation icons' images, smallest first.
constexpr int kExploreIconSizes[] = {16, 20, 24, 32};
// The image size a navigation button of `client` pixels shows: the largest that
// fits inside its border and focus frame.
int ExploreIconSizeFor(SIZE client);
}  // namespace tk

class TavroKessaExplore final : public ITavroKessaExploreDialog, public tk::DialogBase, private tk::ExploreListSink {
public:
    // Takes the location of the Windows folder, whose icon folders show.
    TavroKessaExplore();
    ~TavroKessaExplore() override = default;

    // 1 after EndExplore(1), 0 after Cancel or any other EndExplore, -1 when the
    // dialog cannot be shown, the params carry no events object, or an event threw.
    INT_PTR Run(HWND parent, ITavroKessaUIHost* host, TavroKessaExploreDialogParams* params);

    // The host's operations. The four that fill the dialog are refused (false,
    // nothing done) until the list view exists; all of them once the dialog has
    // ended. EndExplore works from every event, OnInitDialog included.
    bool AddListEntry(TavroKessaExploreDialogEntry* entry) override;
    bool ClearEntries() override;
    bool AddLookInEntry(TavroKessaExploreDialogEntry* entry, bool select) override;
    bool ClearLookIn() override;
    bool EndExplore(INT_PTR result) override;
    const char* GetCurrentFilterExtensions() override;
    bool Redraw() override;

private:
    BOOL OnInit() override;
    void OnCancel() override { End(0); }
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(int id, NMHDR& header) override;
    void OnSize(int width, int height) override;
    BOOL OnDrawItem(int id, const DRAWITEMSTRUCT& item) override;
    BOOL OnMeasureItem(int id, MEASUREITEMSTRUCT& item) override;
    bool OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCallsReturned() override;
    void OnWindowGone() override;

    void OnItemImageWanted(NMLVDISPINFOA& info);
    void OnOpen();
    void OnDropDown(int id, int code);
    void OnChoiceMade(int id);
    void ShowChoiceInForce(int id);
    void OnLookInChosen();
    void OnFilterChosen();
    // The position chosen in drop-down `id` when it is to be acted on, else -1.
    int ChoiceToActOn(int id);
    void OnSelectionChanged(HWND from);
    void OnGatherSelection();

    // ExploreListSink
    void OnListDoubleClick(int index) override;
    void OnListFault() override { Fail(); }

    // The dialog stands and its list exists: the host may fill it.
    bool Ready() const { return Standing() && m_list != nullptr; }
    // Makes one event of the host's events object.
    template <typename Event>
    bool CallEvents(Call kind, Event&& event);

    void LoadPictures();
    void MeasureLookInLevels();
    void ChooseNavigationPictures();
    void NameNavigationButtons();
    void FillFilters();
    struct NavigationButton {
        NavigationButton(int control, int enabledIconId, int disabledIconId)
            : id(control), enabledIcon(enabledIconId), disabledIcon(disabledIconId) {}
        int id;
        int enabledIcon;
        int disabledIcon;
        bool wanted = false;
        int shown = -1;  // 1 enabled, 0 disabled, -1 not yet set
        // The pictures at the button's size: at the standard small size the shared
        // ones, at any other size owned here (shared images are for standard sizes).
        HICON enabledPicture = nullptr;
        HICON disabledPicture = nullptr;
        tk::UniqueIcon ownedEnabled;
        tk::UniqueIcon ownedDisabled;
    };
    // A drop-down's choice is acted on once it is final: moving through the open
    // list with the arrow keys only browses, and the list closing on a level (Enter,
    // a click) or a step in the closed field chooses.
    struct DropDownChoice {
        bool accepted = false;  // the open list is closing on its highlighted item
        bool pending = false;   // a close on a choice waits to be acted on
    };
    void SetNavigationButton(NavigationButton& button, bool enabled);
    void SettleNavigationButtons();

    void EmptyFileName();
    void ShowFileName(const std::string& text);
    void FitLookIn();

    ITavroKessaUIHost* m_host = nullptr;
    HWND m_list = nullptr;
    TavroKessaExploreDialogParams* m_params = nullptr;
    // Items added since the list was last emptied: where the next one goes.
    int m_itemCount = 0;
    int m_currentFilter = 0;
    // The "Look in:" level the host last selected (-1: none), shown again when a
    // choice of the user's is not acted on.
    int m_lookInSelected = -1;

    tk::AnchorLayout m_layout;
    tk::ShellItemList m_windowsFolder;
    // Item i of the "Look in:" drop-down is drawn from element i; the item's data
    // is its level i, never a pointer into this vector, which moves as it grows.
    std::vector<std::string> m_lookInPath;
    tk::UniqueBitmap m_folderBitmap;
    tk::UniqueBitmap m_rootBitmap;
    // The look-in pictures' size at the display's scale, and the height of a level.
    int m_lookInPictureSize = 16;
    int m_lookInItemHeight = 16;
    DropDownChoice m_lookInChoice;
    DropDownChoice m_typesChoice;

    tk::ExploreIconCache m_icons;
    tk::RedrawSuspension m_listRedraw;

    // A selection change is waiting to be gathered (one private message per burst).
    bool m_gatherPending = false;
    // The selection was ready while a host event ran: gathered when it returns.
    bool m_gatherWhenCallsReturn = false;
    // Changes in the current burst.
    int m_burstChanges = 0;
    // Counts selection changes and clears, so that a late answer can be told stale.
    unsigned int m_selectionChanges = 0;
    bool m_fileNameShown = false;
    bool m_lookInFitPending = false;
    // Items in the "Look in:" drop-down when it was last sized.
    int m_lookInFittedCount = -1;
    // Both start disabled; the first settling sets their pictures.
    NavigationButton m_back{IDC_EXPLORE_BACK, IDI_EXPLORE_BACK, IDI_EXPLORE_BACK_DISABLED};
    NavigationButton m_up{IDC_EXPLORE_UP, IDI_EXPLORE_UP, IDI_EXPLORE_UP_DISABLED};
};

#endif
