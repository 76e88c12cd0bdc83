// The demo host of tavrokessaui: a small Kessa client over an in-memory sample
// server, written the way any host uses the library.
//
//   tavrokessademo                      opens the main window
//   tavrokessademo --tour [--out DIR]   drives every dialog, saves a picture of
//                  [--only a,b,...]     each in DIR (default "gallery"), and
//                                       exits non-zero if one misbehaved
#include <objbase.h>
#include <tavrokessaui.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "../tour/Script.h"
#include "../tour/Tour.h"
#include "DemoHost.h"
#include "MainWindow.h"

namespace {

struct Arguments {
    bool tour = false;
    bool help = false;
    tour::TourOptions options;
    std::string error;
};

Arguments Parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--tour") {
            arguments.tour = true;
        } else if ((argument == "--out" || argument == "--only") && i + 1 < argc) {
            std::string value = argv[++i];
            if (argument == "--out") {
                arguments.options.folder = value;
                continue;
            }
            for (size_t start = 0; start <= value.size();) {
                size_t comma = value.find(',', start);
                if (comma == std::string::npos) comma = value.size();
                if (comma > start) arguments.options.only.push_back(value.substr(start, comma - start));
                start = comma + 1;
            }
        } else if (argument == "--help" || argument == "-h") {
            arguments.help = true;
        } else {
            arguments.error = "unknown argument: " + argument;
        }
    }
    return arguments;
}

void Usage() {
    std::printf("usage: tavrokessademo [--tour [--out FOLDER] [--only SCENE,...]]\nscenes:");
    for (const std::string& scene : tour::SceneNames()) std::printf(" %s", scene.c_str());
    std::printf("\n");
}

// Owns the service object for the life of the program.
struct Service {
    ITavroKessaUI* ui = GetITavroKessaUI();
    ~Service() {
        if (ui == nullptr) return;
        ui->CloseProgressDialog();  // never release the service with its window open
        ReleaseITavroKessaUI(ui);
    }
};

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments = Parse(argc, argv);
    if (arguments.help || !arguments.error.empty()) {
        if (!arguments.error.empty()) std::fprintf(stderr, "tavrokessademo: %s\n", arguments.error.c_str());
        Usage();
        return arguments.help ? 0 : 2;
    }

    // The shell's folder picker needs a single-threaded apartment on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int code = 0;
    {
        Service service;
        if (service.ui == nullptr) {
            std::fprintf(stderr, "tavrokessademo: no service object\n");
            return 1;
        }
        demo::DemoHost host(*service.ui);
        demo::MainWindow window(host);
        if (!window.Create(GetModuleHandleA(nullptr), SW_SHOWNORMAL)) {
            std::fprintf(stderr, "tavrokessademo: cannot create the main window\n");
            return 1;
        }
        if (arguments.tour) {
            tour::StartWatchdog(280);
            code = tour::RunTour(host, window, arguments.options);
        } else {
            code = window.RunMessageLoop();
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return code;
}
