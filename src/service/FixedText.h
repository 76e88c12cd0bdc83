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

// The length of the longest prefix of `text` (`length` bytes) that holds whole
// characters of the ANSI code page: under a double-byte code page a cut may not
// keep a lead byte without its trail byte, or the user sees a character nobody gave.
size_t WholeCharacterLength(const char* text, size_t length);

// Cuts `buffer`, whose text is `size` - 1 bytes long at most and was cut to fit,
// back to whole characters.
void EndOnWholeCharacter(char* buffer, size_t size);

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
        const bool whole = needed >= 0 && static_cast<size_t>(needed) < Size;
        if (!whole) EndOnWholeCharacter(m_text, Size);
        CheckGuards();
        return whole;
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
