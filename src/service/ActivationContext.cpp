#include "ActivationContext.h"

#include "Internal.h"

namespace tk {
namespace {

// INVALID_HANDLE_VALUE: not tried yet or failed; we retry lazily.
HANDLE g_context = INVALID_HANDLE_VALUE;
bool g_tried = false;

HANDLE Context() {
    if (!g_tried && ModuleHandle() != nullptr) {
        g_tried = true;
        ACTCTXA act = {};
        act.cbSize = sizeof(act);
        act.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        act.hModule = ModuleHandle();
        act.lpResourceName = MAKEINTRESOURCEA(2);
        g_context = CreateActCtxA(&act);
    }
    return g_context;
}

}  // namespace

ActivationScope::ActivationScope() {
    HANDLE context = Context();
    if (context != INVALID_HANDLE_VALUE) m_activated = ActivateActCtx(context, &m_cookie) != FALSE;
}

ActivationScope::~ActivationScope() {
    if (m_activated) DeactivateActCtx(0, m_cookie);
}

void ReleaseActivationContext() {
    if (g_context != INVALID_HANDLE_VALUE) ReleaseActCtx(g_context);
    g_context = INVALID_HANDLE_VALUE;
    g_tried = false;
}

}  // namespace tk
