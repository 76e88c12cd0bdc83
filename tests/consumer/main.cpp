// Uses the installed library the way a host does; exits 0 when all is well.
#include <tavrokessaui.h>

#include <cstdio>

int main() {
    ITavroKessaUI* ui = GetITavroKessaUI();
    if (ui == nullptr) return 1;
    TavroKessaProgressDialogParams progress;
    progress.SetCaption("Copying");
    if (ui->UpdateProgressDialog(&progress) != 0) return 2;  // nothing open yet
    TavroKessaExploreDialogParams explore;
    if (explore.AddFilter("All files", "*") != 1) return 3;
    ReleaseITavroKessaUI(ui);

    HMODULE module = GetModuleHandleA("tavrokessaui.dll");
    if (module == nullptr || GetProcAddress(module, "GetITavroKessaUI") == nullptr ||
        GetProcAddress(module, "ReleaseITavroKessaUI") == nullptr)
        return 4;
    std::printf("consumer: ok\n");
    return 0;
}
