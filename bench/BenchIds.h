// Identifiers of the benchmark's own baseline dialogs and of the documented
// controls of our dialogs that the benchmark reads or drives.
#ifndef TK_BENCH_IDS_H
#define TK_BENCH_IDS_H

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

// Our dialogs' controls, as documented for hosts and testers.
#define IDC_EXPLORE_LIST 1025
#define IDC_EXPLORE_FILE_NAME 1044
#define IDC_EXPLORE_FILTER 1043
#define IDC_HISTORY_LIST 1025

#endif
