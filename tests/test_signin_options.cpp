// The options dialog driven as a user drives it: what it shows from the record
// (with the folder imposed by the server or not), what it writes back on OK and
// on Cancel, and "Browse..." through the service's folder picker.
#include <gtest/gtest.h>

#include <windows.h>


#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "resource.h"
#include "service/TavroKessaUI.h"
#include "signin/OptionsDialog.h"
#include "tavrokessaui.h"

namespace {

constexpr const char* kTitle = "Kessa Options";

struct Options : testing::Test {
    tkt::Driver& Open() { return driver.WaitDialog(kTitle).Do([this] { dialog = driver.Dialog(); }); }

    // Runs `call` with the queued steps; every step must have run, and nothing the
    // dialog made may outlive it.
    INT_PTR RunWith(const std::function<INT_PTR()>& call) { return tkt::RunChecked(driver, call); }
    INT_PTR Run(HWND parent = nullptr) { return RunWith([&] { return ui->ShowOptionsDialog(parent, &record); }); }

    std::string Folder() const { return tkt::Text(GetDlgItem(dialog, IDC_OPTIONS_FOLDER)); }

    tkt::Service ui;
    TavroKessaOptionsDialogParams record;
    tkt::Driver driver;
    HWND dialog = nullptr;
};

// A service whose folder picker answers at once, recording how it was asked.
class ScriptedService final : public ITavroKessaUI {
public:
    void SetHost(ITavroKessaUIHost*) override {}
    INT_PTR ShowMessage(HWND, const char*, const char*, unsigned int) override { return 0; }
    INT_PTR ShowOptionsDialog(HWND, TavroKessaOptionsDialogParams*) override { return -1; }
    INT_PTR ShowSigninDialog(HWND, TavroKessaSigninDialogParams*) override { return -1; }
    INT_PTR BrowseForFolder(HWND owner, const char* title, char* path) override {
        owners.push_back(owner);
        titles.push_back(title != nullptr ? title : "(null)");
        bufferWasZeroed.push_back(std::all_of(path, path + MAX_PATH, [](char c) { return c == '\0'; }));
        // Fill the whole buffer as a picker may, answer or not.
        std::memset(path, 'z', MAX_PATH);
        std::strcpy(path, answer.c_str());
        return answer.empty() ? 0 : 1;
    }
    INT_PTR ShowPropertyDialog(HWND, TavroKessaPropertyDialogParams*) override { return -1; }
    INT_PTR ShowHistoryDialog(HWND, TavroKessaHistoryDialogParams*) override { return -1; }
    INT_PTR ShowExploreDialog(HWND, TavroKessaExploreDialogParams*) override { return -1; }
    INT_PTR OpenProgressDialog(HWND, TavroKessaProgressDialogParams*) override { return 0; }
    INT_PTR UpdateProgressDialog(TavroKessaProgressDialogParams*) override { return 0; }
    INT_PTR CloseProgressDialog() override { return 0; }

    std::string answer;  // empty: the picker was cancelled
    std::vector<HWND> owners;
    std::vector<std::string> titles;
    std::vector<bool> bufferWasZeroed;
};

}  // namespace

TEST_F(Options, ShowsTheRecordAndOkWritesItBack) {
    record.SetWorkingFolder("C:\\work\\kessa");
    record.SetAutoLogin(true);
    Open().Do([&] {
        EXPECT_EQ(Folder(), "C:\\work\\kessa");
        EXPECT_TRUE(tkt::IsEnabled(dialog, IDC_OPTIONS_FOLDER));
        EXPECT_TRUE(tkt::IsEnabled(dialog, IDC_OPTIONS_BROWSE));
        EXPECT_FALSE(tkt::IsVisible(dialog, IDC_OPTIONS_ENFORCED_NOTE));
        EXPECT_TRUE(tkt::IsChecked(dialog, IDC_OPTIONS_AUTO_LOGIN));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        // The service holds the record only while its dialog is open.
        EXPECT_EQ(static_cast<TavroKessaUI*>(ui.Get())->OpenOptionsParams(), &record);
        tkt::TypeText(dialog, IDC_OPTIONS_FOLDER, "D:\\elsewhere");
        CheckDlgButton(dialog, IDC_OPTIONS_AUTO_LOGIN, BST_UNCHECKED);
        tkt::Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(), 1);
    EXPECT_STREQ(record.GetWorkingFolder(), "D:\\elsewhere");
    EXPECT_FALSE(record.GetAutoLogin());
    EXPECT_EQ(static_cast<TavroKessaUI*>(ui.Get())->OpenOptionsParams(), nullptr);
}

TEST_F(Options, AFolderSetByTheServerIsShownButNotEditable) {
    record.SetWorkingFolder("E:\\imposed");
    record.SetEnforceWorkingFolder(true);
    Open().Do([&] {
        EXPECT_EQ(Folder(), "E:\\imposed");
        EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_OPTIONS_FOLDER));
        EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_OPTIONS_BROWSE));
        EXPECT_TRUE(tkt::IsVisible(dialog, IDC_OPTIONS_ENFORCED_NOTE));
        EXPECT_FALSE(tkt::IsChecked(dialog, IDC_OPTIONS_AUTO_LOGIN));
        CheckDlgButton(dialog, IDC_OPTIONS_AUTO_LOGIN, BST_CHECKED);
        tkt::Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(), 1);
    EXPECT_STREQ(record.GetWorkingFolder(), "E:\\imposed");
    EXPECT_TRUE(record.GetEnforceWorkingFolder());  // only read
    EXPECT_TRUE(record.GetAutoLogin());
}

TEST_F(Options, AnEmptiedFolderKeepsTheOldOne) {
    record.SetWorkingFolder("C:\\kept");
    Open().Do([&] {
        tkt::TypeText(dialog, IDC_OPTIONS_FOLDER, "");
        tkt::Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(), 1);
    EXPECT_STREQ(record.GetWorkingFolder(), "C:\\kept");

    // A record without a folder: the field starts empty and OK leaves it so.
    TavroKessaOptionsDialogParams empty;
    tkt::Driver again;
    again.WaitDialog(kTitle).Do([&] {
        EXPECT_EQ(tkt::Text(GetDlgItem(again.Dialog(), IDC_OPTIONS_FOLDER)), "");
        tkt::Click(again.Dialog(), IDOK);
    });
    EXPECT_EQ(tkt::RunChecked(again, [&] { return ui->ShowOptionsDialog(nullptr, &empty); }), 1);
    EXPECT_STREQ(empty.GetWorkingFolder(), "");
}

TEST_F(Options, CancelEscapeAndCloseBoxStillWriteBack) {
    for (int way = 0; way < tkt::kDismissWays; ++way) {
        record.SetWorkingFolder("C:\\old");
        record.SetAutoLogin(false);
        tkt::Driver run;
        run.WaitDialog(kTitle).Do([&] {
            HWND window = run.Dialog();
            tkt::TypeText(window, IDC_OPTIONS_FOLDER, "C:\\new");
            CheckDlgButton(window, IDC_OPTIONS_AUTO_LOGIN, BST_CHECKED);
            tkt::Dismiss(window, way);
        });
        EXPECT_EQ(tkt::RunChecked(run, [&] { return ui->ShowOptionsDialog(nullptr, &record); }), 0) << way;
        EXPECT_STREQ(record.GetWorkingFolder(), "C:\\new") << way;
        EXPECT_TRUE(record.GetAutoLogin()) << way;
    }
}

TEST_F(Options, BrowseAsksTheServiceItWasGiven) {
    ScriptedService service;
    record.SetWorkingFolder("C:\\start");
    Open()
        .Do([&] {
            service.answer = "F:\\picked";
            tkt::Click(dialog, IDC_OPTIONS_BROWSE);
        })
        .Do([&] {
            EXPECT_EQ(Folder(), "F:\\picked");
            service.answer = "";  // cancelled, with the buffer scribbled over
            tkt::Click(dialog, IDC_OPTIONS_BROWSE);
        })
        .Do([&] {
            EXPECT_EQ(Folder(), "F:\\picked");
            tkt::Click(dialog, IDOK);
        });
    OptionsDialog options(service, nullptr, record);
    EXPECT_EQ(RunWith([&] { return options.Run(nullptr); }), 1);
    EXPECT_STREQ(record.GetWorkingFolder(), "F:\\picked");
    EXPECT_EQ(service.owners, (std::vector<HWND>{dialog, dialog}));
    EXPECT_EQ(service.titles, (std::vector<std::string>{"Select working folder:", "Select working folder:"}));
    EXPECT_EQ(service.bufferWasZeroed, (std::vector<bool>{true, true}));
}

// --- A host that releases the service while the dialog runs ------------------------

namespace {

// Blocks of every small size, filled with one byte: a write through freed memory
// lands in one of them once the heap has handed the freed block out again.
class HeapWitness {
public:
    HeapWitness() {
        for (size_t size = 1; size <= 1024; ++size)
            for (int copy = 0; copy < 4; ++copy) {
                unsigned char* block = static_cast<unsigned char*>(std::malloc(size));
                std::memset(block, kFill, size);
                m_blocks.push_back({block, size});
            }
    }
    ~HeapWitness() {
        for (const Block& block : m_blocks) std::free(block.data);
    }
    HeapWitness(const HeapWitness&) = delete;
    HeapWitness& operator=(const HeapWitness&) = delete;
    size_t Changed() const {
        size_t changed = 0;
        for (const Block& block : m_blocks)
            if (!std::all_of(block.data, block.data + block.size, [](unsigned char c) { return c == kFill; })) ++changed;
        return changed;
    }

private:
    static constexpr unsigned char kFill = 0xA7;
    struct Block {
        unsigned char* data;
        size_t size;
    };
    std::vector<Block> m_blocks;
};

}  // namespace

TEST(OptionsReleased, TheServiceLivesUntilTheDialogEndsAndThenGoes) {
    // The host's shutdown runs from a message the dialog's own loop dispatches.
    ITavroKessaUI* ui = GetITavroKessaUI();
    TavroKessaProgressDialogParams progress;
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
    HWND progressWindow = tkt::FindDialog("Dialog");
    TavroKessaOptionsDialogParams record;
    record.SetWorkingFolder("C:\\before");
    std::unique_ptr<HeapWitness> witness;
    tkt::Driver driver;
    HWND dialog = nullptr;
    driver.WaitDialog(kTitle)
        .Do([&] {
            dialog = driver.Dialog();
            ReleaseITavroKessaUI(ui);
            witness = std::make_unique<HeapWitness>();
            tkt::TypeText(dialog, IDC_OPTIONS_FOLDER, "C:\\after");
            PostMessageA(GetDlgItem(dialog, IDC_OPTIONS_AUTO_LOGIN), BM_CLICK, 0, 0);
            tkt::Click(dialog, IDC_OPTIONS_BROWSE);  // through the released service
        })
        .Wait([&] {
            HWND picker = tkt::FindDialog();
            if (picker == nullptr || picker == dialog) return false;
            tkt::Click(picker, IDCANCEL);
            return true;
        })
        .Wait([&] { return tkt::FindDialog() == dialog; })
        .Do([&] { tkt::Click(dialog, IDOK); });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowOptionsDialog(nullptr, &record); }), 1);
    ASSERT_NE(witness, nullptr);
    EXPECT_EQ(witness->Changed(), 0u);
    // Written back as usual, then the release took effect: the service closed its
    // progress window as it went.
    EXPECT_STREQ(record.GetWorkingFolder(), "C:\\after");
    EXPECT_TRUE(record.GetAutoLogin());
    EXPECT_FALSE(IsWindow(progressWindow));
}
