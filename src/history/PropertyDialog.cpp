#include "PropertyDialog.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "../../res/resource.h"
#include "../service/DialogBase.h"
#include "../service/DialogHelpers.h"
#include "../service/FixedText.h"
#include "tavrokessaui.h"

namespace tk {

bool IsSingleTextFormat(const char* format) {
    if (format == nullptr) return false;
    int texts = 0;
    for (const char* at = std::strchr(format, '%'); at != nullptr; at = std::strchr(at, '%')) {
        if (at[1] == '%') {
            at += 2;
        } else if (at[1] == 's') {
            ++texts;
            at += 2;
        } else {
            return false;
        }
    }
    return texts == 1;
}

bool FormatCheckOutStatus(char (&buffer)[kPropertyTextSize], bool checkedOut, const char* user, const char* notCheckedOut,
                          const char* checkedOutTo) {
    buffer[0] = '\0';
    if (!checkedOut) {
        // A missing string leaves the box with empty text.
        if (notCheckedOut != nullptr) std::snprintf(buffer, kPropertyTextSize, "%s", notCheckedOut);
        return true;
    }
    if (user == nullptr || *user == '\0') return false;
    int needed;
    if (IsSingleTextFormat(checkedOutTo)) {
        // The format is our own string-table text, checked above to take one text.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        needed = std::snprintf(buffer, kPropertyTextSize, checkedOutTo, user);
#pragma GCC diagnostic pop
    } else {
        needed = std::snprintf(buffer, kPropertyTextSize, "%s", user);
    }
    // A user name too long for the line is cut, after a whole character.
    if (needed < 0 || static_cast<size_t>(needed) >= kPropertyTextSize) EndOnWholeCharacter(buffer, kPropertyTextSize);
    return true;
}

}  // namespace tk

namespace {

class PropertyDialog final : public tk::DialogBase {
public:
    PropertyDialog(ITavroKessaUIHost* host, TavroKessaPropertyDialogParams* params) : m_host(host), m_params(params) {}

    INT_PTR Run(HWND parent) { return RunModal(parent, IDD_PROPERTIES); }

private:
    BOOL OnInit() override;
    // 1 however it is closed, a quit message included.
    void OnOk() override { End(1); }
    void OnCancel() override { End(1); }
    INT_PTR DismissedResult() const override { return 1; }

    void SetText(int id, const char* text) const { SetDlgItemTextA(Window(), id, text != nullptr ? text : ""); }
    void SetNumber(int id, int value) const;
    void SetDate(int id, const char* date) const;

    ITavroKessaUIHost* m_host;
    TavroKessaPropertyDialogParams* m_params;
};

void PropertyDialog::SetNumber(int id, int value) const {
    tk::FixedText<16> text;
    text.Format("%d", value);
    SetText(id, text.c_str());
}

void PropertyDialog::SetDate(int id, const char* date) const {
    // An empty date reads as a version not yet on the server.
    SetText(id, date != nullptr && *date != '\0' ? date : tk::LoadResourceText(IDS_CURRENTLY_CHECKED_OUT));
}

BOOL PropertyDialog::OnInit() {
    HWND dialog = Window();
    tk::ApplyStartAppearance(dialog, m_host);
    TavroKessaPropertyDialogParams* params = m_params;

    const char* kessaPath = params->GetKessaPath();
    if (kessaPath != nullptr && *kessaPath != '\0') SetText(IDC_PROPERTIES_KESSA_PATH, kessaPath);
    const char* localPath = params->GetLocalPath();
    if (localPath != nullptr && *localPath != '\0') SetText(IDC_PROPERTIES_LOCAL_PATH, localPath);
    SetNumber(IDC_PROPERTIES_LOCAL_VERSION, params->GetLocalVer());
    SetNumber(IDC_PROPERTIES_LATEST_VERSION, params->GetLatestVer());
    SetDate(IDC_PROPERTIES_LOCAL_DATE, params->GetLastModDateLocal());
    SetDate(IDC_PROPERTIES_LATEST_DATE, params->GetLastModDateLatest());

    // Both string-table texts are needed at once, and they share one buffer.
    const char* loaded = tk::LoadResourceText(IDS_NOT_CHECKED_OUT);
    const std::string notCheckedOut = loaded != nullptr ? loaded : "";
    const bool haveNotCheckedOut = loaded != nullptr;
    // Copied as well: the check of the format and its use must read one text.
    const char* loadedFormat = tk::LoadResourceText(IDS_CHECKED_OUT_TO);
    const std::string checkedOutTo = loadedFormat != nullptr ? loadedFormat : "";
    const bool haveCheckedOutTo = loadedFormat != nullptr;
    tk::FixedText<tk::kPropertyTextSize> status;
    if (status.FillWith([&](char(&text)[tk::kPropertyTextSize]) {
            return tk::FormatCheckOutStatus(text, params->GetCheckedOut(), params->GetUserNameA(),
                                            haveNotCheckedOut ? notCheckedOut.c_str() : nullptr,
                                            haveCheckedOutTo ? checkedOutTo.c_str() : nullptr);
        }))
        SetText(IDC_PROPERTIES_STATUS, status.c_str());
    return TRUE;
}

}  // namespace

INT_PTR RunPropertyDialog(ITavroKessaUIHost* host, HWND parent, TavroKessaPropertyDialogParams* params) {
    if (params == nullptr) return -1;
    PropertyDialog dialog(host, params);
    return dialog.Run(parent);
}
