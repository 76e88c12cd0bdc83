#include "FixedText.h"

namespace tk {
namespace {
int g_guardFailures = 0;
}

int GuardFailures() { return g_guardFailures; }
void CountGuardFailure() { ++g_guardFailures; }

}  // namespace tk
