// The module whose resources and windows the library uses.
#include "Internal.h"

namespace tk {

namespace {
HINSTANCE g_module = nullptr;
}

void RecordModuleHandle(HINSTANCE module) { g_module = module; }

HINSTANCE ModuleHandle() {
    if (g_module == nullptr) {
        // Not attached as a DLL (linked into a program): the module this code is in.
        HMODULE own = nullptr;
        if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                               reinterpret_cast<LPCSTR>(&RecordModuleHandle), &own))
            g_module = own;
    }
    return g_module;
}

}  // namespace tk
