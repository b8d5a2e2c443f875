// Resource ids of JOBSIFT.exe, shared by the resource script and the code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_CHECKER_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_SELECT_FILE 1000
#define IDC_FILE_PATH 1001
#define IDC_RUN_CHECKER 1002
#define IDC_CHECK_COUNT 1004
#define IDC_SAVE_ACTIVE 1005
#define IDC_STORED_AS 1006
#define IDC_GOOD_LIST 1008
#define IDC_BAD_LIST 1009

// System menu entries: below 0xF000, where the system's own begin, and with the low four bits
// clear, which the system keeps for itself.
#define IDM_ABOUTBOX 0x0010
#define IDM_REPORT 0x0020

// The command links of the question after a run that left intact programs behind.
#define IDC_TAKE_BEHIND_DAMAGE 1201
#define IDC_TAKE_ALL 1202

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
