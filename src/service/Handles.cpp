#include "Handles.h"

namespace tk {
namespace {
int g_live[static_cast<int>(HandleKind::Count)] = {};
}

void CountHandle(HandleKind kind, int delta) { g_live[static_cast<int>(kind)] += delta; }

int LiveHandles(HandleKind kind) {
    int index = static_cast<int>(kind);
    return index >= 0 && index < static_cast<int>(HandleKind::Count) ? g_live[index] : 0;
}

int LiveHandlesTotal() {
    int total = 0;
    for (int count : g_live) total += count;
    return total;
}

void ShellItemList::Reset(LPITEMIDLIST list) {
    if (m_list != nullptr && m_list != list) {
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
            allocator->Free(m_list);
            allocator->Release();
        }
    }
    m_list = list;
}

}  // namespace tk
