// Fixed-size text buffers filled only by bounded formatting. Guard bytes sit on
// both sides of the characters and are checked after every fill, so a fill that
// ever wrote outside its buffer is counted (and shows up in the tests) instead
// of silently corrupting what lies next to it.
#ifndef TAVROKESSAUI_FIXEDTEXT_H
#define TAVROKESSAUI_FIXEDTEXT_H

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

#include "Internal.h"

namespace tk {

// Fills that found a guard byte changed since the process started.
int GuardFailures();
void CountGuardFailure();

template <size_t Size>
class FixedText {
public:
    static_assert(Size > 0, "a buffer holds at least the terminating zero");

    FixedText() {
        std::memset(m_front, kGuard, sizeof(m_front));
        std::memset(m_back, kGuard, sizeof(m_back));
        m_text[0] = '\0';
    }

    // printf-style, cut to Size - 1 characters. Returns false when the text was cut.
    bool Format(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        va_list arguments;
        va_start(arguments, format);
        int needed = std::vsnprintf(m_text, Size, format, arguments);
        va_end(arguments);
        if (needed < 0) m_text[0] = '\0';
        CheckGuards();
        return needed >= 0 && static_cast<size_t>(needed) < Size;
    }

    // Hands the characters to a bounded formatter of our own, `fill(char (&)[Size])`,
    // and checks the guards after it. Returns what `fill` returns.
    template <typename Fill>
    auto FillWith(Fill&& fill) -> decltype(fill(std::declval<char (&)[Size]>())) {
        auto result = fill(m_text);
        CheckGuards();
        return result;
    }

    const char* c_str() const { return m_text; }
    static constexpr size_t Capacity() { return Size; }

private:
    static constexpr unsigned char kGuard = 0xA5;

    void CheckGuards() const {
        for (size_t i = 0; i < sizeof(m_front); ++i)
            if (static_cast<unsigned char>(m_front[i]) != kGuard || static_cast<unsigned char>(m_back[i]) != kGuard) {
                CountGuardFailure();
                return;
            }
    }

    char m_front[16];
    char m_text[Size];
    char m_back[16];
};

}  // namespace tk

#endif
