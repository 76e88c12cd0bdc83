#include "Application.h"

namespace demo {

Application::Application() : m_ui(GetITavroKessaUI()) {}

bool Application::Start(int show) {
    if (m_ui == nullptr) {
        m_error = "no service object";
        return false;
    }
    // Declared before the first window: the library's dialogs and the main window
    // are then shown at the display's own scale rather than stretched.
    SetProcessDPIAware();
    m_host = std::make_unique<DemoHost>(*m_ui);
    m_window = std::make_unique<MainWindow>(*m_host);
    if (!m_window->Create(GetModuleHandleA(nullptr), show)) {
        m_error = "cannot create the main window";
        return false;
    }
    return true;
}

}  // namespace demo
