// The demo host of tavrokessaui: a small Kessa client over an in-memory sample
// server, written the way any host uses the library. DemoHost.cpp holds the
// code for each dialog; this only starts the program and runs its window.
#include <cstdio>

#include "Application.h"

int main() {
    demo::Application application;
    if (!application.Start()) {
        std::fprintf(stderr, "tavrokessademo: %s\n", application.Error().c_str());
        return 1;
    }
    return application.Window().RunMessageLoop();
}
