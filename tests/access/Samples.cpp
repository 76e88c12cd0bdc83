#include "Samples.h"

#include "Pump.h"
#include "resource.h"

namespace tkt {

std::vector<Sample> AllSamples() {
    return {Sample::Signin,  Sample::Options, Sample::OptionsEnforced, Sample::Properties,
            Sample::History, Sample::Explore, Sample::Progress};
}

const char* SampleTitle(Sample sample) {
    switch (sample) {
    case Sample::Signin: return "Calvex Kessa 7.2 Log In";
    case Sample::Options:
    case Sample::OptionsEnforced: return "Kessa Options";
    case Sample::Properties: return "Properties";
    case Sample::History: return "History";
    case Sample::Explore: return "Choose Files";
    case Sample::Progress: return "Get Latest";
    }
    return "";
}

const char* SampleName(Sample sample) {
    switch (sample) {
    case Sample::Signin: return "signin";
    case Sample::Options: return "options";
    case Sample::OptionsEnforced: return "options-enforced";
    case Sample::Properties: return "properties";
    case Sample::History: return "history";
    case Sample::Explore: return "explore";
    case Sample::Progress: return "progress";
    }
    return "";
}

SampleDialogs::SampleDialogs() {
    ui->SetHost(&host);

    signin.SetKessaVersion("7.2");
    signin.SetUser("alice");
    signin.SetServerList(&servers);
    signin.SetServer("alpha.kessa.example");
    signin.SetKessaList(&databases);
    signin.SetKessa("Projects");
    signin.SetITavroKessaSigninDialogEvents(&signinEvents);
    signinEvents.names = {"Projects", "Tools", "Archive"};

    options.SetWorkingFolder("C:\\Kessa\\Projects");

    properties.SetKessaPath("$/src/core/Engine.cpp");
    properties.SetLocalPath("C:\\Kessa\\Projects\\src\\core\\Engine.cpp");
    properties.SetLocalVer(34);
    properties.SetLatestVer(36);
    properties.SetLastModDateLocal("9/12/2022 7:44 PM");
    properties.SetLastModDateLatest("10/4/2022 11:39 PM");
    properties.SetCheckedOut(true);
    properties.SetUserName("bob");

    history.SetKessaPath("$/src/core/Engine.cpp");
    history.SetLocalVer(34);
    history.SetITavroKessaHistoryDialogEvents(&historyEvents);
    const struct {
        int version;
        const char* date;
        const char* user;
        const char* comment;
    } kVersions[] = {
        {36, "10/4/2022 11:39 PM", "erin", "Rename members to match the style guide"},
        {35, "9/23/2022 10:37 PM", "dave", "Speed up the first load"},
        {34, "9/12/2022 7:44 PM", "dave", "Show progress while saving\r\n\r\nMeasured on 10,000 entries."},
        {33, "9/1/2022 9:02 AM", "carol", "Fix the off-by-one in the range check"},
        {32, "8/21/2022 7:40 PM", "carol", "Fix crash when the list is empty"},
        {31, "8/15/2022 5:07 PM", "bob", "Support long paths"},
    };
    int id = 100;
    for (const auto& version : kVersions) {
        rows.push_back(std::make_unique<TavroKessaFileHistoryEntry>());
        TavroKessaFileHistoryEntry* row = rows.back().get();
        row->SetEntry(id++);
        row->SetLatestVer(version.version);
        row->SetLastModDateLatest(version.date);
        row->SetLastModDateLatestSortVal(version.version);
        row->SetUserName(version.user);
        row->SetComment(version.comment);
        history.AddEntry(row);
    }

    progress.SetCaption("Get Latest");
    progress.SetMessage("Getting the latest versions of 53 files...");
    progress.SetFile("C:\\Kessa\\Projects\\src\\core\\Task.cpp");
    progress.SetProgress(30);
    progress.SetITavroKessaProgressDialogEvents(&progressEvents);
}

Driver& SampleDialogs::Open(Driver& driver, Sample sample) {
    driver.WaitDialog(SampleTitle(sample)).Do([this, &driver] { m_window = driver.Dialog(); });
    if (sample == Sample::Explore)
        driver.Wait("the first fill", [this] { return explore.Count("CanGoToLastFolder") > 0; });
    return driver;
}

INT_PTR SampleDialogs::Show(Driver& driver, Sample sample) {
    return RunChecked(driver, [&]() -> INT_PTR {
        switch (sample) {
        case Sample::Signin: return ui->ShowSigninDialog(nullptr, &signin);
        case Sample::Options:
            options.SetEnforceWorkingFolder(false);
            return ui->ShowOptionsDialog(nullptr, &options);
        case Sample::OptionsEnforced:
            options.SetEnforceWorkingFolder(true);
            return ui->ShowOptionsDialog(nullptr, &options);
        case Sample::Properties: return ui->ShowPropertyDialog(nullptr, &properties);
        case Sample::History: return ui->ShowHistoryDialog(nullptr, &history);
        case Sample::Explore: return ui->ShowExploreDialog(nullptr, &explore.params);
        case Sample::Progress: {
            if (ui->OpenProgressDialog(nullptr, &progress) != 1) return 0;
            HWND window = FindThreadDialog(SampleTitle(sample));
            while (IsWindow(window) && !driver.Over())
                if (!PumpOne()) MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            ui->CloseProgressDialog();
            return 1;
        }
        }
        return -1;
    });
}

}  // namespace tkt
