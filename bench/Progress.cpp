// The progress window beside the same calls on a bare window: a transfer's
// worth of updates with changing texts and percentages.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Baselines.h"
#include "Bench.h"
#include "Progress.h"
#include "tavrokessaui.h"

namespace bench {

ProgressTexts::ProgressTexts(long updates) {
    char text[160];
    for (long i = 0; i < updates; ++i) {
        std::snprintf(text, sizeof(text), "$/Projects/Big folder/module%03ld/source/file_%05ld.cpp", i / 100, i);
        files.push_back(text);
        if (i % 100 == 0) {
            std::snprintf(text, sizeof(text), "Getting folder %ld of %ld", i / 100 + 1, (updates + 99) / 100);
            messages.push_back(text);
        }
    }
}

namespace {

// The host's loop hands the window its input now and then, as between files.
constexpr long kPumpEvery = 50;

void PumpWaiting() {
    while (PumpOne()) {
    }
}

}  // namespace

double RunOurProgress(ITavroKessaUI* ui, const ProgressTexts& texts) {
    TavroKessaProgressDialogParams record;
    record.SetCaption("Getting files");
    if (!ui->OpenProgressDialog(nullptr, &record)) return -1;
    Settle();
    const long updates = static_cast<long>(texts.files.size());
    double start = NowMs();
    for (long i = 0; i < updates; ++i) {
        if (i % 100 == 0) record.SetMessage(texts.messages[static_cast<size_t>(i / 100)].c_str());
        record.SetFile(texts.files[static_cast<size_t>(i)].c_str());
        record.SetProgress(static_cast<int>(i * 100 / updates));
        ui->UpdateProgressDialog(&record);
        if (i % kPumpEvery == 0) PumpWaiting();
    }
    double took = NowMs() - start;
    ui->CloseProgressDialog();
    Settle();
    return took;
}

double RunBareProgress(const ProgressTexts& texts) {
    HWND window = OpenBareProgress();
    if (window == nullptr) return -1;
    Settle();
    const long updates = static_cast<long>(texts.files.size());
    const char* message = "";
    double start = NowMs();
    for (long i = 0; i < updates; ++i) {
        if (i % 100 == 0) message = texts.messages[static_cast<size_t>(i / 100)].c_str();
        UpdateBareProgress(window, "Getting files", message, texts.files[static_cast<size_t>(i)].c_str(),
                           static_cast<int>(i * 100 / updates));
        if (i % kPumpEvery == 0) PumpWaiting();
    }
    double took = NowMs() - start;
    DestroyWindow(window);
    Settle();
    return took;
}

void BenchProgress(ITavroKessaUI* ui, const Options& options, Report& report) {
    std::fprintf(stderr, "bench: progress\n");
    const std::vector<long> sizes = options.Sizes({1000, 10000});
    for (long n : sizes) {
        SetDeadline("progress, N=" + std::to_string(n), 1200);
        ProgressTexts texts(n);
        Row row("progress: UpdateProgressDialog calls", n,
                "the same SetWindowText/SetDlgItemText/PBM_SETPOS/UpdateWindow calls on a bare window");
        row.scales = true;
        Alternate(
            options, row, [&] { return RunOurProgress(ui, texts); }, [&] { return RunBareProgress(texts); });
        if (row.oursMissing) row.note = "our progress window did not open";
        report.Add(std::move(row));
    }
    SetDeadline("", 0);
}

}  // namespace bench
