// Load-time hook: records the module handle every resource load and window uses.
#include "ActivationContext.h"
#include "Internal.h"

namespace {
HINSTANCE g_module = nullptr;
}

namespace tk {
HINSTANCE ModuleHandle() { return g_module; }
void SetModuleHandle(HINSTANCE module) { g_module = module; }
}  // namespace tk

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        tk::SetModuleHandle(instance);
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
