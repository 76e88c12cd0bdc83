// Fetches files from the sample server through the library's progress window.
//
// The progress window is modeless: it lives in the host's own message loop. So
// between two updates the transfer pumps the thread's messages (that is how a
// click on Cancel, a repaint or a timer gets through) and the user can stop it
// at any time; the window never closes itself.
#ifndef TAVROKESSA_DEMO_TRANSFER_H
#define TAVROKESSA_DEMO_TRANSFER_H

#include <tavrokessaui.h>

#include <functional>
#include <string>
#include <vector>

namespace demo {

struct TransferOutcome {
    bool shown = false;  // the progress window could be opened
    size_t arrived = 0;  // files fetched completely
    size_t total = 0;
    bool cancelled = false;  // the user pressed Cancel
};

class Transfer final : public ITavroKessaProgressDialogEvents {
public:
    explicit Transfer(ITavroKessaUI& ui) : m_ui(ui) {}
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Fetches each of `files` (the texts the window shows for them, local paths),
    // calling `arrived(i)` as file i is complete. `owner` is disabled meanwhile, as
    // a modal dialog would disable it.
    TransferOutcome Run(HWND owner, const char* caption, const std::string& message,
                        const std::vector<std::string>& files, const std::function<void(size_t)>& arrived);

    // Simulated network time per piece of a file, in milliseconds.
    void SetPace(unsigned pieceMs, int piecesPerFile) {
        m_pieceMs = pieceMs;
        m_piecesPerFile = piecesPerFile;
    }

    void OnCancel(TavroKessaProgressDialogParams* record) override;

private:
    // Keeps the user interface alive until `ms` have passed or Cancel was pressed.
    void WaitPumping(unsigned ms);

    ITavroKessaUI& m_ui;
    unsigned m_pieceMs = 12;
    int m_piecesPerFile = 4;
    bool m_cancelled = false;
    bool m_quit = false;
    int m_quitCode = 0;
};

}  // namespace demo

#endif
