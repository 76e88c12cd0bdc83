// Internal declarations shared by the library's subsystems. Not installed.
//
// TK_INTERNAL marks the few internal routines the DLL exports for its own tests
// (shared dialog routines, handle counters). Hosts use tavrokessaui.h only.
#ifndef TAVROKESSAUI_INTERNAL_H
#define TAVROKESSAUI_INTERNAL_H

#include <windows.h>

#include <string>

#if defined(TAVROKESSAUI_BUILD)
#define TK_INTERNAL __declspec(dllexport)
#else
#define TK_INTERNAL __declspec(dllimport)
#endif

namespace tk {

// The library's own module: the instance of every resource and window it makes.
// Null until the DLL has been attached to the process.
TK_INTERNAL HINSTANCE ModuleHandle();
// Tests point string loads at a module of their own with this.
TK_INTERNAL void SetModuleHandle(HINSTANCE module);

// Text setters of the parameter objects: copy, and ignore a null text.
inline void AssignText(std::string& field, const char* text) {
    if (text != nullptr) field = text;
}

}  // namespace tk

#endif
