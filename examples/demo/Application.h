// What the demo program holds while it runs, made in the order each part needs
// the one before it and given back in the reverse order: a single-threaded COM
// apartment (the shell's folder picker needs one), the library's service object,
// the host, and the host's main window.
#ifndef TAVROKESSA_DEMO_APPLICATION_H
#define TAVROKESSA_DEMO_APPLICATION_H

#include <windows.h>

#include <tavrokessaui.h>

#include <memory>
#include <string>

#include "DemoHost.h"
#include "MainWindow.h"

namespace demo {

class Application {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Makes the host and shows its main window; false, with Error() saying why,
    // when something could not be made.
    bool Start(int show = SW_SHOWNORMAL);
    const std::string& Error() const { return m_error; }

    DemoHost& Host() { return *m_host; }
    MainWindow& Window() { return *m_window; }

private:
    class ComApartment {
    public:
        ComApartment() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
        ~ComApartment() {
            if (SUCCEEDED(m_result)) CoUninitialize();
        }
        ComApartment(const ComApartment&) = delete;
        ComApartment& operator=(const ComApartment&) = delete;

    private:
        HRESULT m_result;
    };
    // The service is never released with the progress window still open.
    struct ServiceRelease {
        void operator()(ITavroKessaUI* ui) const {
            ui->CloseProgressDialog();
            ReleaseITavroKessaUI(ui);
        }
    };

    ComApartment m_apartment;
    std::unique_ptr<ITavroKessaUI, ServiceRelease> m_ui;
    std::unique_ptr<DemoHost> m_host;
    std::unique_ptr<MainWindow> m_window;
    std::string m_error;
};

}  // namespace demo

#endif
