// Runs a quick start taken from the documents (compiled with -Dmain=quick_start_main)
// as a user would: every dialog it opens is answered with its default button.
#include <cstdio>

#include "Closer.h"

int quick_start_main();

int main() {
    closer::Start(60000);
    closer::Get().button = 0;
    closer::Get().armed = true;
    int result = quick_start_main();
    std::printf("quick start: exit code %d, %d answers given\n", result, closer::Get().answered);
    if (closer::Get().answered == 0) {
        std::printf("quick start: it showed no window\n");
        return 1;
    }
    return result;
}
