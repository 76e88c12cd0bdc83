// The explore dialog at tens of thousands of entries (what must stay one call per
// user action), and the shell icons it shows. Times are the benchmark's business; these check the behaviour at scale.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "explore/ExploreListView.h"
#include "explore/LookInDrawing.h"
#include "Hosts.h"
#include "Picture.h"
#include "resource.h"
#include "tavrokessaui.h"
#include "ExploreModel.h"

namespace {

constexpr const char* kTitle = "Big Folder";

// Makes the root of `model`, a tree of its own, one flat folder of `count` files
// with a handful of extensions, listed whole on every refill; a selection's text
// is the number of files in it.
void MakeBulkFolder(tkt::ExploreModel& model, int count) {
    static const char* const kExtensions[] = {".cpp", ".h", ".txt", ".bmp", ".exe", ""};
    for (int i = 0; i < count; ++i) model.Add(0, ("file" + std::to_string(i) + kExtensions[i % 6]).c_str(), false);
    model.params.SetTitle(kTitle);
    model.params.SetMultipleSelections(true);
    model.params.AddFilter("All files", "*");
    model.params.AddFilter("Also all files", "*");
    model.selectionText = [](const std::vector<int>& selection) { return std::to_string(selection.size()) + " files"; };
}

struct ExploreScale : testing::Test {
    INT_PTR Run(tkt::Driver& driver, tkt::ExploreModel& model) {
        return tkt::RunChecked(driver, [&] { return ui->ShowExploreDialog(nullptr, &model.params); });
    }

    tkt::Service ui;
};

}  // namespace

TEST_F(ExploreScale, SelectingAllOfTwentyThousandAsksTheHostOnce) {
    const int n = 20000;
    tkt::ExploreModel host("kessa.example.com");
    MakeBulkFolder(host, n);
    tkt::Driver driver(60000);
    HWND field = nullptr;
    driver.WaitDialog(kTitle)
        .Wait([&] { return tkt::ItemCount(tkt::ExploreList(driver.Dialog())) == n; })
        .Do([&] {
            field = GetDlgItem(driver.Dialog(), IDC_EXPLORE_FILE_NAME);
            // One notification per item, all in this one call.
            tkt::SelectAll(tkt::ExploreList(driver.Dialog()), true);
        })
        .Wait([&] { return !host.selectionRequests.empty(); })
        .Do([] {})  // a few more turns of the loop: nothing else may come
        .Do([] {})
        .Do([&] {
            ASSERT_EQ(host.selectionRequests.size(), 1u);
            EXPECT_EQ(host.selectionRequests[0], host.nodes[0].children);  // every file, in the list's order
            EXPECT_EQ(tkt::Text(field), "20000 files");
            // Deselecting them all empties the field and asks nothing.
            tkt::SelectAll(tkt::ExploreList(driver.Dialog()), false);
        })
        .Do([&] {
            EXPECT_EQ(host.selectionRequests.size(), 1u);
            EXPECT_EQ(tkt::Text(field), "");
            tkt::SelectAll(tkt::ExploreList(driver.Dialog()), true);
        })
        .Wait([&] { return host.selectionRequests.size() == 2; })
        .Do([&] {
            // The list stops drawing for a large burst only: once it is gathered a
            // single change repaints its item again.
            HWND list = tkt::ExploreList(driver.Dialog());
            ValidateRect(list, nullptr);
            tkt::SetItemSelected(list, 0, false);
            EXPECT_TRUE(GetUpdateRect(list, nullptr, FALSE));
            tkt::Click(driver.Dialog(), IDC_EXPLORE_OPEN);
        });
    EXPECT_EQ(Run(driver, host), 1);
    EXPECT_EQ(host.params.GetSelections().size(), static_cast<size_t>(n - 1));
}

TEST_F(ExploreScale, ItemsShowTheShellsIconForTheirNameAndFoldersTheWindowsFolders) {
    tkt::ExploreModel model;
    model.params.SetTitle(kTitle);
    // Repeated extensions in other cases, names the shell draws from the file
    // itself, and names whose extension is not simply the text after the last dot.
    const char* const names[] = {"a.cpp",   "b.CPP",    "c.txt",   "d.exe", "e.exe",   "f.ico", "g.lnk",
                                 "noext",   "h.bmp",    "i.dll",   "j.tar.gz", "k l.txt", "m.txt x", ".hidden"};
    for (const char* name : names) model.Add(0, name, false);
    std::vector<std::pair<std::string, int>> shown;
    tkt::Driver driver;
    driver.WaitDialog(kTitle)
        .Do([&] { tkt::ChooseInCombo(driver.Dialog(), IDC_EXPLORE_TYPES, 2); })
        .Wait([&] { return model.Count("OnOpenEntry(-1)") == 2; })
        .Do([&] {
            HWND list = tkt::ExploreList(driver.Dialog());
            std::vector<std::string> texts = tkt::ItemTexts(list);
            for (size_t i = 0; i < texts.size(); ++i)
                shown.emplace_back(texts[i], tkt::ItemImage(list, static_cast<int>(i)));
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Run(driver, model), 0);

    LPITEMIDLIST windows = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_WINDOWS, nullptr, 0, &windows)));
    SHFILEINFOA folder = {};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(windows), FILE_ATTRIBUTE_NORMAL, &folder, sizeof(folder),
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    CoTaskMemFree(windows);
    ASSERT_EQ(shown.size(), 6u + sizeof(names) / sizeof(names[0]));
    for (const auto& [name, image] : shown) {
        SCOPED_TRACE(name);
        int index = model.Find(name.c_str());
        if (model.nodes[static_cast<size_t>(index)].folder) {
            EXPECT_EQ(image, folder.iIcon);
            continue;
        }
        SHFILEINFOA file = {};
        SHGetFileInfoA(name.c_str(), FILE_ATTRIBUTE_NORMAL, &file, sizeof(file),
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
        EXPECT_EQ(image, file.iIcon);
    }
}

TEST(ExploreIcons, NamesShareAnIconByExtensionOnlyWhereTheShellDoes) {
    struct Case {
        const char* name;
        const char* key;
    };
    const Case cases[] = {
        {"main.cpp", ".cpp"},      {"MAIN.CPP", ".cpp"},       {"archive.tar.gz", ".gz"}, {".hidden", ".hidden"},
        {"Makefile", "."},         {"README", "."},            {"setup.exe", "*setup.exe"}, {"Logo.ICO", "*Logo.ICO"},
        {"arrow.cur", "*arrow.cur"}, {"busy.ani", "*busy.ani"}, {"link.lnk", "*link.lnk"}, {"lib.dll", "*lib.dll"},
        {"a.txt x", ""},           {"trailing.", ""},          {"space.txt ", ""},        {"dir\\file.txt", ""},
        {"dir/file.txt", ""},      {"c:file.txt", ""},         {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(tk::IconCacheKey(c.name), c.key) << c.name;
    EXPECT_EQ(tk::IconCacheKey(nullptr), "");
}

// --- The list's texts and the look-in drawing, apart from the dialog --------------------

TEST(ExploreList, ANameLongerThanEveryBufferComesBackCutNeverOverrun) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND list = tk::CreateExploreListView(parent, RECT{0, 0, 300, 300}, false, nullptr);
    ASSERT_NE(list, nullptr);
    const std::string huge = std::string(70000, 'n') + ".cpp";
    const std::string fits = std::string(300, 'f') + ".txt";
    tk::InsertExploreItem(list, 0, huge.c_str(), 0, 1);
    tk::InsertExploreItem(list, 1, fits.c_str(), 0, 2);
    const std::string read = tk::ItemText(list, 0);
    EXPECT_GE(read.size(), 60000u);
    EXPECT_LE(read.size(), 65535u);
    EXPECT_EQ(huge.compare(0, read.size(), read), 0);  // a prefix of what was given, nothing past it
    EXPECT_EQ(tk::ItemText(list, 1), fits);
    EXPECT_EQ(tk::ItemText(list, 5), "");
    DestroyWindow(parent);
}

namespace {

// Draws look-in item `level`, highlighted, into a fresh 32-bit picture; returns its pixels.
std::vector<unsigned> DrawLevel(const std::vector<std::string>& path, ITavroKessaUIHost* host, UINT level) {
    const BITMAPINFO info = tkt::TopDownBitmapInfo(600, 20);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, picture);
    PatBlt(dc, 0, 0, 600, 20, WHITENESS);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = level;
    item.itemAction = ODA_DRAWENTIRE | ODA_SELECT;
    item.itemState = ODS_SELECTED;
    item.hDC = dc;
    item.rcItem = RECT{0, 0, 600, 20};
    tk::DrawLookInItem(item, path, host, tk::LookInPictures{nullptr, nullptr});
    GdiFlush();
    std::vector<unsigned> pixels(static_cast<const unsigned*>(bits), static_cast<const unsigned*>(bits) + 600 * 20);
    SelectObject(dc, old);
    DeleteObject(picture);
    DeleteDC(dc);
    return pixels;
}

}  // namespace

TEST(LookInDrawing, AHostThatRebuildsThePathFromGetColorGetsTheNewLevelDrawn) {
    const std::vector<std::string> rebuilt = {"kessa.example.com", std::string(60, 'W'), "c", "d", "e"};
    tkt::SettingsHost host;
    const std::vector<unsigned> expected = DrawLevel(rebuilt, &host, 1);

    // The same drawing, but the host rebuilds the path from inside GetColor, the
    // new vector in new storage: the old level's text is freed under the drawing.
    std::vector<std::string> path = {"kessa.example.com", std::string(40, 'B')};
    bool done = false;
    host.onColour = [&](int index) {
        if (index != COLOR_HIGHLIGHT || done) return;
        done = true;
        path = rebuilt;
    };
    EXPECT_EQ(DrawLevel(path, &host, 1), expected);
    EXPECT_TRUE(done);

    // A path cut short from inside GetColor leaves the level undrawn.
    done = false;
    host.onColour = [&](int index) {
        if (index == COLOR_HIGHLIGHT && !done) {
            done = true;
            path.resize(1);
        }
    };
    path = rebuilt;
    tkt::SettingsHost plain;
    const std::vector<unsigned> blank = DrawLevel({"only the root"}, &plain, 1);  // a level that is not there
    EXPECT_EQ(DrawLevel(path, &host, 1), blank);
}
