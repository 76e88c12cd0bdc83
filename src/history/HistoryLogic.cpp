#include "HistoryLogic.h"

#include <cstring>

#include "tavrokessaui.h"

namespace tk {

size_t FirstLineLength(const char* comment) {
    if (comment == nullptr) return 0;
    const char* feed = std::strchr(comment, '\n');
    if (feed == nullptr) return std::strlen(comment);
    size_t length = static_cast<size_t>(feed - comment);
    // Only a carriage return belongs to the line end; any other last character is text.
    if (length > 0 && comment[length - 1] == '\r') --length;
    return length;
}

int CompareText(const char* a, const char* b) {
    // The C library orders by unsigned byte values, whatever the locale.
    return std::strcmp(a != nullptr ? a : "", b != nullptr ? b : "");
}

HistorySortKey MakeHistorySortKey(TavroKessaFileHistoryEntry* entry, int column) {
    HistorySortKey key;
    if (entry == nullptr) return key;
    key.valid = true;
    switch (column) {
    case kColumnVersion:
        key.number = entry->GetLatestVer();
        break;
    case kColumnDate:
        key.number = entry->GetLastModDateLatestSortValue();
        break;
    case kColumnAuthor:
        key.text = entry->GetUserNameA();
        break;
    case kColumnComment:
        key.text = entry->GetComment();
        break;
    default:
        break;
    }
    return key;
}

int CompareHistoryKeys(const HistorySortKey& a, const HistorySortKey& b, int column, int direction) {
    if (!a.valid || !b.valid) return 0;
    int result = 0;
    switch (column) {
    case kColumnVersion:
    case kColumnDate:
        result = a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
        break;
    case kColumnAuthor:
    case kColumnComment:
        result = CompareText(a.text, b.text);
        break;
    default:
        return 0;
    }
    return direction == kDescending ? -result : result;
}

int NextSortDirection(int direction) { return direction == kAscending ? kDescending : kAscending; }

void HistoryColumnWidths(int clientWidth, int widths[kHistoryColumnCount + 1]) {
    // Fractions of the client width, in single precision and cut toward zero; the
    // placeholder is one pixel wide and goes again right after set-up.
    static const float kFractions[kHistoryColumnCount] = {0.04f, 0.15f, 0.25f, 0.2f, 0.3f};
    const float width = static_cast<float>(clientWidth);
    widths[0] = 1;
    for (int column = 0; column < kHistoryColumnCount; ++column)
        widths[column + 1] = static_cast<int>(width * kFractions[column]);
}

int HistoryMargin(int clientWidth, int listWidth, int listLeft) {
    const int measured = (clientWidth - listWidth) / 2;
    // An odd difference cut by the halving is no sign of a narrowed window.
    return measured + 1 < listLeft ? listLeft : measured;
}

namespace {
RECT Box(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }
}  // namespace

HistoryLayout ComputeHistoryLayout(const HistoryLayoutInput& in) {
    const int m = in.margin;
    const int fullWidth = in.width - 2 * m;
    const int buttonTop = in.height - m - in.getVersionHeight;
    HistoryLayout layout;
    layout.path = Box(m, m, fullWidth, in.pathHeight);
    layout.getVersion = Box(m, buttonTop, in.getVersionWidth, in.getVersionHeight);
    layout.close = Box(in.width - m - in.closeWidth, buttonTop, in.closeWidth, in.closeHeight);
    layout.comment = Box(m, in.height - 2 * m - in.getVersionHeight - in.commentHeight, fullWidth, in.commentHeight);
    layout.list = Box(m, 2 * m + in.pathHeight, fullWidth,
                      in.height - 5 * m - in.pathHeight - in.commentHeight - in.getVersionHeight);
    return layout;
}

}  // namespace tk
