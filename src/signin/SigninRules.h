// The rules of the sign-in dialog that need no window: how an editable drop-down
// field shows a saved value, and the title built from the server's version.
#ifndef TAVROKESSAUI_SIGNINRULES_H
#define TAVROKESSAUI_SIGNINRULES_H

#include <cstddef>
#include <string>
#include <vector>

#include "../service/Internal.h"

namespace tk {

// Room for the sign-in title, terminating zero included.
constexpr size_t kSigninTitleSize = 256;

// What an editable drop-down field shows for a saved value over its list.
struct ComboShow {
    enum class Kind { Nothing, Select, Text };
    Kind kind;
    int index;  // the item to select, for Kind::Select; -1 otherwise
};

// True when the two texts are equal once both are upper-cased in the ANSI code
// page. Punctuation and length count: "abc" is not "abcd", "co-op" is not "coop".
bool EqualIgnoringCase(const std::string& a, const std::string& b);

// The saved value must survive the dialog untouched unless the user changes it:
// an item equal to it (case aside) is selected; any other non-empty value becomes
// the field's own text, never a look-alike item; an empty value shows the first
// item, or nothing when there is no item.
ComboShow ChooseComboShow(const std::vector<std::string>* list, const std::string& value);

// Formats `format` (one %s) with `version` into `buffer` of `size` characters. A
// title too long for the buffer is cut; false then (and for a null format, which
// leaves an empty text). The buffer is always terminated when size > 0.
bool FormatSigninTitle(char* buffer, size_t size, const char* format, const char* version);

}  // namespace tk

#endif
