#include "FixedText.h"

#include <windows.h>

namespace tk {
namespace {
int g_guardFailures = 0;
}

int GuardFailures() { return g_guardFailures; }
void CountGuardFailure() { ++g_guardFailures; }

size_t WholeCharacterLength(const char* text, size_t length) {
    // Only a walk from the start can tell a lead byte from a trail byte.
    size_t whole = 0;
    while (whole < length) {
        const size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[whole])) ? 2 : 1;
        if (whole + step > length) break;
        whole += step;
    }
    return whole;
}

void EndOnWholeCharacter(char* buffer, size_t size) {
    if (buffer == nullptr || size == 0) return;
    buffer[size - 1] = '\0';
    buffer[WholeCharacterLength(buffer, std::strlen(buffer))] = '\0';
}

}  // namespace tk
