// Internal declarations shared by the library's subsystems. Not installed: hosts
// see tavrokessaui.h only, and the DLL exports nothing else.
#ifndef TAVROKESSAUI_INTERNAL_H
#define TAVROKESSAUI_INTERNAL_H

#include <windows.h>

#include <string>

namespace tk {

// The library's own module: the instance of every resource and window it makes.
// The DLL records it when it is attached; code linked into another module finds
// the module it lives in.
HINSTANCE ModuleHandle();
// Called once, when the DLL is attached to the process.
void RecordModuleHandle(HINSTANCE module);

// Text setters of the parameter objects: copy, and ignore a null text.
inline void AssignText(std::string& field, const char* text) {
    if (text != nullptr) field = text;
}

}  // namespace tk

#endif
