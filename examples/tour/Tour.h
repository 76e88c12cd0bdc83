// The headless tour: every dialog of the demo opened through the host's own
// code, driven with real input, photographed and closed as a user would close it.
// The pictures, an index page and a contact sheet go into one folder.
#ifndef TAVROKESSA_TOUR_TOUR_H
#define TAVROKESSA_TOUR_TOUR_H

#include <string>
#include <vector>

namespace demo {
class DemoHost;
class MainWindow;
}  // namespace demo

namespace tour {

struct TourOptions {
    std::string folder = "gallery";  // where the pictures go
    std::vector<std::string> only;   // names of the scenes to run; empty: all
};

// The scenes in the order the tour runs them.
std::vector<std::string> SceneNames();

// Runs the tour; 0 when every dialog appeared and answered as expected.
int RunTour(demo::DemoHost& host, demo::MainWindow& window, const TourOptions& options);

}  // namespace tour

#endif
