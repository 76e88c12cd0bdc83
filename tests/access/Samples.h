// Every dialog of the library as a host shows it, filled with sample content: what
// the tests of the keyboard, the screen reader and the display scale open. Each is
// shown with a driver's steps running inside it, and no window or counted handle
// may outlive it.
#ifndef TK_TESTS_SAMPLES_H
#define TK_TESTS_SAMPLES_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "ExploreModel.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "tavrokessaui.h"

namespace tkt {

enum class Sample { Signin, Options, OptionsEnforced, Properties, History, Explore, Progress };

// Every sample, in the order above.
std::vector<Sample> AllSamples();
// The caption each shows, and a name for messages and file names.
const char* SampleTitle(Sample sample);
const char* SampleName(Sample sample);

class SampleDialogs {
public:
    SampleDialogs();
    SampleDialogs(const SampleDialogs&) = delete;
    SampleDialogs& operator=(const SampleDialogs&) = delete;

    // Shows `sample` through the service with `driver`'s steps, and gives its
    // result. The progress window stays open while the host handles its messages
    // through the dialog manager, as a host's own loop does, until it is closed (the
    // host closes it from OnCancel) or the steps are over; then it is closed, and
    // the result is 1 when it opened.
    INT_PTR Show(Driver& driver, Sample sample);
    // Steps that wait for `sample` to be up and filled, and remember its window.
    Driver& Open(Driver& driver, Sample sample);
    HWND Window() const { return m_window; }
    HWND Item(int id) const { return GetDlgItem(m_window, id); }

    Service ui;
    SettingsHost host;
    SigninHost signinEvents;
    HistoryHost historyEvents;
    ProgressHost progressEvents;
    ExploreModel explore;

    std::vector<std::string> servers{"alpha.kessa.example", "beta.kessa.example"};
    std::vector<std::string> databases{"Projects", "Tools"};
    TavroKessaSigninDialogParams signin;
    TavroKessaOptionsDialogParams options;
    TavroKessaPropertyDialogParams properties;
    TavroKessaHistoryDialogParams history;
    std::vector<std::unique_ptr<TavroKessaFileHistoryEntry>> rows;
    TavroKessaProgressDialogParams progress;

private:
    HWND m_window = nullptr;
};

}  // namespace tkt

#endif
