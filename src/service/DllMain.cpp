// Load-time hook of tavrokessaui.dll: records the module every resource load and
// window uses.
#include "ActivationContext.h"
#include "Internal.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        tk::RecordModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
        break;
    case DLL_PROCESS_DETACH:
        // Only on FreeLibrary; at process exit the system reclaims everything.
        if (reserved == nullptr) tk::ReleaseActivationContext();
        break;
    default:
        break;
    }
    return TRUE;
}
