#include "Transfer.h"

namespace demo {

void Transfer::OnCancel(TavroKessaProgressDialogParams*) {
    // The library reports a press again from each update that still sees the
    // button's release waiting: one flag absorbs the repeats.
    m_cancelled = true;
}

TransferOutcome Transfer::Run(HWND owner, const char* caption, const std::string& message,
                              const std::vector<std::string>& files, const std::function<void(size_t)>& arrived) {
    TransferOutcome outcome;
    outcome.total = files.size();
    m_cancelled = false;
    m_quit = false;

    TavroKessaProgressDialogParams progress;
    progress.SetCaption(caption);
    progress.SetMessage(message.c_str());
    progress.SetProgress(0);
    progress.SetITavroKessaProgressDialogEvents(this);
    if (m_ui.OpenProgressDialog(owner, &progress) != 1) return outcome;
    outcome.shown = true;

    bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);

    // A short transfer still moves its bar visibly before it closes.
    int pieces = m_piecesPerFile > 0 ? m_piecesPerFile : 1;
    if (!files.empty() && pieces * files.size() < 20) pieces = static_cast<int>((20 + files.size() - 1) / files.size());
    const long long totalPieces = static_cast<long long>(files.size()) * pieces;
    for (size_t file = 0; file < files.size() && !m_cancelled && !m_quit; ++file) {
        progress.SetFile(files[file].c_str());
        for (int piece = 0; piece < pieces && !m_cancelled && !m_quit; ++piece) {
            WaitPumping(m_pieceMs);
            long long done = static_cast<long long>(file) * pieces + piece + 1;
            progress.SetProgress(static_cast<int>(done * 100 / totalPieces));
            m_ui.UpdateProgressDialog(&progress);
        }
        if (!m_cancelled && !m_quit) {
            arrived(file);
            ++outcome.arrived;
        }
    }
    outcome.cancelled = m_cancelled;

    // Enable the owner before the window goes, so that activation returns to it.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    m_ui.CloseProgressDialog();
    if (m_quit) PostQuitMessage(m_quitCode);
    return outcome;
}

void Transfer::WaitPumping(unsigned ms) {
    DWORD start = GetTickCount();
    while (!m_cancelled && !m_quit) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The application is closing: stop, and let the main loop see the quit.
                m_quit = true;
                m_quitCode = static_cast<int>(message.wParam);
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return;
        MsgWaitForMultipleObjectsEx(0, nullptr, ms - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace demo
