// The "Databases" chooser the sign-in dialog opens over itself: a list of the
// names the host offered, of which OK takes the selected one.
#ifndef TAVROKESSAUI_DATABASECHOOSER_H
#define TAVROKESSAUI_DATABASECHOOSER_H

#include <string>
#include <vector>

#include "../service/DialogBase.h"

class DatabaseChooser final : public tk::DialogBase {
public:
    // Shows `names`; OK with a selection stores its index in `chosen`, anything
    // else leaves `chosen` as it is. Both belong to the sign-in controller.
    DatabaseChooser(const std::vector<std::string>& names, INT_PTR& chosen) : m_names(names), m_chosen(chosen) {
        // Placed over the sign-in dialog before it is filled.
        CentreAfterInit(false);
    }

    // 1 after OK, 0 after Cancel, -1 when the chooser cannot be shown.
    INT_PTR Run(HWND signinDialog);

private:
    BOOL OnInit() override;
    void OnOk() override;
    void OnCancel() override { End(0); }

    const std::vector<std::string>& m_names;
    INT_PTR& m_chosen;
};

#endif
