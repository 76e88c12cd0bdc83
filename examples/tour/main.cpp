// The demo's headless tour: the demo program under a script that opens every
// dialog through the host's own code, photographs it and closes it.
//
//   tavrokessatour [--out DIR] [--only a,b,...]   pictures go to DIR (default
//                                                 "gallery"); exits non-zero if
//                                                 a dialog misbehaved
#include <cstdio>
#include <string>

#include "Application.h"
#include "DialogDriver.h"
#include "Tour.h"

namespace {

struct Arguments {
    bool help = false;
    tour::TourOptions options;
    std::string error;
};

Arguments Parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if ((argument == "--out" || argument == "--only") && i + 1 < argc) {
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
    std::printf("usage: tavrokessatour [--out FOLDER] [--only SCENE,...]\nscenes:");
    for (const std::string& scene : tour::SceneNames()) std::printf(" %s", scene.c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments = Parse(argc, argv);
    if (arguments.help || !arguments.error.empty()) {
        if (!arguments.error.empty()) std::fprintf(stderr, "tavrokessatour: %s\n", arguments.error.c_str());
        Usage();
        return arguments.help ? 0 : 2;
    }
    demo::Application application;
    if (!application.Start()) {
        std::fprintf(stderr, "tavrokessatour: %s\n", application.Error().c_str());
        return 1;
    }
    tkt::StartWatchdog(280);
    return tour::RunTour(application.Host(), application.Window(), arguments.options);
}
