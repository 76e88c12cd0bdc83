// The properties dialog of one file: read-only boxes filled once at start.
#ifndef TAVROKESSAUI_PROPERTYDIALOG_H
#define TAVROKESSAUI_PROPERTYDIALOG_H

#include <windows.h>

#include <cstddef>

#include "../service/Internal.h"

class ITavroKessaUIHost;
class TavroKessaPropertyDialogParams;

// Shows the properties in `params` (not null): 1 however it is closed, -1 when
// it cannot be shown.
INT_PTR RunPropertyDialog(ITavroKessaUIHost* host, HWND parent, TavroKessaPropertyDialogParams* params);

namespace tk {

// Size of the buffer the version numbers and the check-out line are formatted in.
constexpr size_t kPropertyTextSize = 1024;

// True when `format` holds exactly one %s and no other conversion (%% aside),
// so it can be given a user name and nothing else.
bool IsSingleTextFormat(const char* format);

// The "Check Out Status:" line into `buffer` (kPropertyTextSize characters), cut
// to fit. False when the box is to stay empty (checked out by nobody named).
// `notCheckedOut` and `checkedOutTo` are the texts of the string table, either
// of which may be missing (null); without a usable `checkedOutTo` the line is
// the user name alone.
bool FormatCheckOutStatus(char (&buffer)[kPropertyTextSize], bool checkedOut, const char* user, const char* notCheckedOut,
                                      const char* checkedOutTo);

}  // namespace tk

#endif
