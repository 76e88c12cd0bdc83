#include "../service/Internal.h"
#include "tavrokessaui.h"

TavroKessaProgressDialogParams::TavroKessaProgressDialogParams() : m_progress(0), m_events(nullptr) {}
TavroKessaProgressDialogParams::~TavroKessaProgressDialogParams() = default;

const char* TavroKessaProgressDialogParams::GetCaption() { return m_caption.c_str(); }
void TavroKessaProgressDialogParams::SetCaption(const char* text) { tk::AssignText(m_caption, text); }
const char* TavroKessaProgressDialogParams::GetMessageA() { return m_message.c_str(); }
void TavroKessaProgressDialogParams::SetMessage(const char* text) { tk::AssignText(m_message, text); }
const char* TavroKessaProgressDialogParams::GetFile() { return m_file.c_str(); }
void TavroKessaProgressDialogParams::SetFile(const char* text) { tk::AssignText(m_file, text); }
int TavroKessaProgressDialogParams::GetProgress() { return m_progress; }
void TavroKessaProgressDialogParams::SetProgress(int percent) { m_progress = percent; }
ITavroKessaProgressDialogEvents* TavroKessaProgressDialogParams::GetITavroKessaProgressDialogEvents() {
    return m_events;
}
void TavroKessaProgressDialogParams::SetITavroKessaProgressDialogEvents(ITavroKessaProgressDialogEvents* events) {
    m_events = events;
}
