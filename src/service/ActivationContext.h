// The library's own activation context, built from its manifest (resource 2), so
// that the windows, dialogs and image lists it creates bind to the side-by-side
// assemblies the library was built for and not to whatever the host's manifest
// chose. mingw-w64 has no isolation-aware wrappers; this is that layer.
#ifndef TAVROKESSAUI_ACTIVATIONCONTEXT_H
#define TAVROKESSAUI_ACTIVATIONCONTEXT_H

#include <windows.h>

namespace tk {

// Activates the library's context for the lifetime of the object. Wrap every
// DialogBoxParamA, CreateDialogParamA, CreateWindowExA and ImageList_Create.
class ActivationScope {
public:
    ActivationScope();
    ~ActivationScope();
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;


private:
    ULONG_PTR m_cookie = 0;
    bool m_activated = false;
};

// Frees the context when the DLL is unloaded.
void ReleaseActivationContext();

}  // namespace tk

#endif
