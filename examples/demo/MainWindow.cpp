#include "MainWindow.h"

#include "AppIcon.h"

namespace demo {
namespace {

const char kClassName[] = "TavroKessaDemoWindow";
const char kTitle[] = "Kessa Client - tavrokessaui demo";
const int kClientWidth = 660;
const int kClientHeight = 396;

enum ControlId {
    kSignIn = 101,
    kOptions,
    kExplore,
    kHistory,
    kProperties,
    kGetLatest,
    kInformation = 110,
    kWarning,
    kError,
    kQuestion,
    kYesNo,
    kChooseFolder = 120,
    kOnTop,
    kRecords = 130,
    kStatus,
};

struct ButtonSpec {
    int id;
    const char* text;
};

struct Group {
    const char* title;
    ButtonSpec buttons[5];
};

// Four columns of buttons; an id of 0 ends a column early.
const Group kGroups[] = {
    {"Session", {{kSignIn, "&Sign In..."}, {kOptions, "&Options..."}}},
    {"Repository",
     {{kExplore, "&Explore..."},
      {kHistory, "&History..."},
      {kProperties, "&Properties..."},
      {kGetLatest, "Get &Latest..."}}},
    {"Messages",
     {{kInformation, "Information..."},
      {kWarning, "Warning..."},
      {kError, "Error..."},
      {kQuestion, "Question..."},
      {kYesNo, "Yes or No..."}}},
    {"Shell", {{kChooseFolder, "Choose &Folder..."}}},
};

}  // namespace

MainWindow::~MainWindow() {
    // The window goes before the font and icons it shows.
    if (m_window != nullptr) DestroyWindow(m_window);
}

bool MainWindow::Create(HINSTANCE instance, int show) {
    m_largeIcon = CreateAppIcon(GetSystemMetrics(SM_CXICON));
    m_smallIcon = CreateAppIcon(GetSystemMetrics(SM_CXSMICON));

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &MainWindow::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    // The library's dialogs show the small icon of their parent's class.
    windowClass.hIcon = m_largeIcon.get();
    windowClass.hIconSm = m_smallIcon.get();
    if (RegisterClassExA(&windowClass) == 0) return false;

    if (HDC screen = GetDC(nullptr)) {
        m_dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    CreateWindowExA(0, kClassName, kTitle, style, x, y, width, height, nullptr, nullptr, instance, this);
    if (m_window == nullptr) return false;
    ShowWindow(m_window, show);
    UpdateWindow(m_window);
    return true;
}

int MainWindow::RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Gives the buttons Tab and arrow-key navigation as in a dialog.
        if (m_window != nullptr && IsDialogMessageA(m_window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // No exception may unwind through the system's code.
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        MessageBoxA(window, "The demo ran out of memory.", kTitle, MB_ICONERROR);
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(m_window, message, wParam, lParam);
    }
}

HWND MainWindow::AddControl(const char* className, const char* text, DWORD style, int id, int x, int y, int width,
                            int height, DWORD exStyle) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, Scaled(x), Scaled(y),
                                   Scaled(width), Scaled(height), m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_window, GWLP_HINSTANCE)), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    return control;
}

void MainWindow::OnCreate() {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    m_font.reset(CreateFontIndirectA(&metrics.lfMessageFont));

    const int margin = 12, columnWidth = 150, buttonHeight = 24, groupHeight = 182;
    for (size_t column = 0; column < sizeof(kGroups) / sizeof(kGroups[0]); ++column) {
        const Group& group = kGroups[column];
        int x = margin + static_cast<int>(column) * (columnWidth + margin);
        AddControl("BUTTON", group.title, BS_GROUPBOX, -1, x, 8, columnWidth, groupHeight);
        int y = 32;
        for (const ButtonSpec& button : group.buttons) {
            if (button.id == 0) break;
            AddControl("BUTTON", button.text, BS_PUSHBUTTON | WS_TABSTOP, button.id, x + 12, y, columnWidth - 24,
                       buttonHeight);
            y += 30;
        }
        if (column == 3)
            AddControl("BUTTON", "&Dialogs on top", BS_AUTOCHECKBOX | WS_TABSTOP, kOnTop, x + 12, y + 4,
                       columnWidth - 24, 20);
    }
    AddControl("BUTTON", "Records", BS_GROUPBOX, -1, margin, 198, kClientWidth - 2 * margin, 158);
    AddControl("EDIT", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, kRecords, margin + 12, 220,
               kClientWidth - 4 * margin, 124, WS_EX_CLIENTEDGE);
    AddControl("STATIC", "", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_SUNKEN, kStatus, margin, 366,
               kClientWidth - 2 * margin, 22);
    Refresh();
}

void MainWindow::Refresh() {
    if (m_window == nullptr) return;
    SetDlgItemTextA(m_window, kStatus, (" " + m_host.LastCall()).c_str());
    SetDlgItemTextA(m_window, kRecords, m_host.Records().c_str());
}

void MainWindow::OnCommand(int id) {
    HWND owner = m_window;
    switch (id) {
    case kSignIn:
        m_host.SignIn(owner);
        break;
    case kOptions:
        m_host.EditOptions(owner);
        break;
    case kExplore:
        m_host.Explore(owner);
        break;
    case kHistory:
        if (m_host.EnsureSignedIn(owner)) m_host.ShowHistory(owner, m_host.CurrentFile());
        break;
    case kProperties:
        if (m_host.EnsureSignedIn(owner)) m_host.ShowProperties(owner, m_host.CurrentFile());
        break;
    case kGetLatest:
        if (m_host.EnsureSignedIn(owner)) m_host.GetLatest(owner, m_host.ExploreFolder());
        break;
    case kInformation:
    case kWarning:
    case kError:
    case kQuestion:
    case kYesNo:
        m_host.Tell(owner, static_cast<Notice>(id - kInformation));
        break;
    case kChooseFolder:
        m_host.ChooseLocalFolder(owner);
        break;
    case kOnTop:
        m_host.Display().SetOnTop(IsDlgButtonChecked(m_window, kOnTop) == BST_CHECKED);
        return;
    default:
        return;
    }
    Refresh();
}

}  // namespace demo
