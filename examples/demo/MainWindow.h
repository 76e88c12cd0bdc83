// The demo's main window: a button for each dialog, a panel with what the
// records hold now and a status line with what the last dialog returned.
#ifndef TAVROKESSA_DEMO_MAINWINDOW_H
#define TAVROKESSA_DEMO_MAINWINDOW_H

#include <windows.h>

#include "DemoHost.h"
#include "Handles.h"

namespace demo {

class MainWindow {
public:
    explicit MainWindow(DemoHost& host) : m_host(host) {}
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, centred on the screen, and shows it.
    bool Create(HINSTANCE instance, int show);
    HWND Handle() const { return m_window; }
    // Shows the host's status and records again.
    void Refresh();
    // Runs until the window is closed; returns the quit code.
    int RunMessageLoop();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnCommand(int id);
    // Places a control; the position and size are in pixels at 100 % and grow with
    // the display's scale.
    HWND AddControl(const char* className, const char* text, DWORD style, int id, int x, int y, int width, int height,
                    DWORD exStyle = 0);
    int Scaled(int pixels) const { return MulDiv(pixels, m_dpi, 96); }

    DemoHost& m_host;
    // The window's class and controls show these; they outlive the window.
    UniqueIcon m_largeIcon;
    UniqueIcon m_smallIcon;
    UniqueFont m_font;
    HWND m_window = nullptr;
    int m_dpi = 96;  // the display's, read once
};

}  // namespace demo

#endif
