// Identifiers of the benchmark's own baseline dialogs. Our dialogs' controls are
// those of res/resource.h.
#ifndef TK_BENCH_BASELINEIDS_H
#define TK_BENCH_BASELINEIDS_H

// The baselines: bare platform controls in plain dialogs.
#define IDD_BARE_LIST 200
#define IDD_BARE_REPORT 201
#define IDD_BARE_PROGRESS 202
#define IDC_BARE_LIST 300
#define IDC_BARE_MESSAGE 1033
#define IDC_BARE_FILE 1034
#define IDC_BARE_BAR 1035
#define IDC_BARE_CANCEL 1040
#define IDC_BARE_REFILL 400

#endif
