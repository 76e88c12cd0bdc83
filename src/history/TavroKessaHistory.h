// Controller of the history dialog: the versions of one file in a sortable list,
// the whole comment of the selected one, and "Get Version" through the host.
#ifndef TAVROKESSAUI_TAVROKESSAHISTORY_H
#define TAVROKESSAUI_TAVROKESSAHISTORY_H

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "../service/DialogBase.h"
#include "../service/Handles.h"
#include "../service/Redraw.h"
#include "HistoryLogic.h"

class ITavroKessaUIHost;
class TavroKessaFileHistoryEntry;
class TavroKessaHistoryDialogParams;

class TavroKessaHistory : public tk::DialogBase {
public:
    TavroKessaHistory() = default;
    ~TavroKessaHistory() override = default;

    // 1 however the dialog is closed, -1 when it cannot be shown.
    INT_PTR Run(HWND parent, ITavroKessaUIHost* host, TavroKessaHistoryDialogParams* params);

private:
    BOOL OnInit() override;
    // 1 however the dialog is closed, a quit message included.
    void OnOk() override { End(1); }
    void OnCancel() override { End(1); }
    INT_PTR DismissedResult() const override { return 1; }
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(int id, NMHDR& header) override;
    void OnSize(int width, int height) override;
    bool OnContextMenu(HWND target, POINT screen) override;
    bool OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCallsReturned() override;

    void OnItemChanged(const NMLISTVIEW& change);
    void OnSelectionSettled();
    void OnColumnClick(int column);
    void GetVersion(bool flag);

    void Layout();
    void SetUpColumns();
    void FillRows();
    void ApplyHostColours();
    void SortRows();
    void MoveMarkerTo(int position, int row);

    int SelectedRow();
    // Where a menu asked for from the keyboard opens for `row`, in screen coordinates.
    POINT BesideRow(int row) const;
    int RowPosition(int row) const;
    int RowOfPosition(int position, int likelyRow) const;
    TavroKessaFileHistoryEntry* EntryAt(int position) const;
    void SetRowImage(int row, int image) const;
    void SetHeaderImage(int column, int image) const;

    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM self);

    ITavroKessaUIHost* m_host = nullptr;
    HWND m_list = nullptr;
    TavroKessaHistoryDialogParams* m_params = nullptr;
    int m_rowsInserted = 0;
    int m_margin = -1;
    int m_sortColumn = -1;
    int m_sortDirection = tk::kUnsorted;
    // Entry positions of the rows that carry the local-version marker. Kept by
    // position, not row, because sorting moves rows.
    std::vector<int> m_markedPositions;
    tk::UniqueImageList m_images;

    // The keys of the running sort, indexed by entry position (the rows' item data).
    std::vector<tk::HistorySortKey> m_sortKeys;
    // The row the last notifications reported selected (-1: none or unknown).
    int m_selectionHint = -1;
    bool m_selectionPending = false;
    // A selection settled while a host call ran: looked at when it has returned.
    bool m_settleWhenCallsReturn = false;
    // The entry position whose comment the comment box shows.
    int m_commentPosition = -1;
};

#endif
