// Resource and command ids of the calendar program.
#pragma once

#define IDI_TAVO 1
#define IDS_JUMP 921
#define IDS_DATA_EDITING 922
#define IDS_OPTIONS 923
#define IDS_HELP 924
#define IDS_ABOUT 925
#define IDS_DATE_CHANGED 926
#define IDS_DATE_CHANGED_CAPTION 927
#define IDS_BEFORE_GREGORIAN 928
#define IDS_AFTER_9999 929
#define IDS_BEFORE_RANGE 930
#define IDS_LATEST_VERSION 932
#define IDS_FIND 933
#define IDS_YEAR_VIEW 934
#define IDS_PRINT 935

// Commands.
#define CMD_JUMP 101
#define CMD_EXTERNAL 102
#define CMD_OPTIONS 103
#define CMD_HELP 104
#define CMD_ABOUT 105
#define CMD_CLOSE 106
#define CMD_LATEST 107
#define CMD_COPY 108
#define CMD_DAY_SCHEDULE 901
#define CMD_BIRTHDAY 903
#define CMD_ANNIVERSARY 904
#define CMD_MEMO 905
#define CMD_DAY_OFF 906
#define CMD_EVERY_YEAR 907
#define CMD_EVERY_MONTH 908
#define CMD_EVERY_MONTH_LATER 909
#define CMD_EVERY_MONTH_EARLIER 910
#define CMD_EVERY_WEEK 911

// Commands that only keys give: moving the selection, the range view.
#define CMD_PREV_DAY 1001
#define CMD_NEXT_DAY 1002
#define CMD_PREV_WEEK 1003
#define CMD_NEXT_WEEK 1004
#define CMD_PREV_MONTH 1005
#define CMD_NEXT_MONTH 1006
#define CMD_TODAY 1007
#define CMD_RANGE_VIEW 1008
#define CMD_PREV_YEAR 1009
#define CMD_NEXT_YEAR 1010

// The range view's scrolling keys.
#define CMD_SCROLL_LINE_UP 1021
#define CMD_SCROLL_LINE_DOWN 1022
#define CMD_SCROLL_PAGE_UP 1023
#define CMD_SCROLL_PAGE_DOWN 1024
#define CMD_SCROLL_TOP 1025
#define CMD_SCROLL_BOTTOM 1026

// The day schedule window's edit menu (WSchMenu).
#define CMD_EDIT_CUT_ALL 13
#define CMD_EDIT_COPY_ALL 14
#define CMD_EDIT_CUT 768
#define CMD_EDIT_COPY 769
#define CMD_EDIT_PASTE 770
#define IDC_SCHEDULE_EDIT 1

// The birthday window's menu (WBirMenu) and its add dialog (DATADLG).
#define CMD_ENTRY_ADD 10
#define CMD_ENTRY_DELETE 11
#define IDC_ENTRY_LIST 1
#define IDC_ENTRY_ERA 14
#define IDC_ENTRY_YEAR 15
#define IDC_ENTRY_YEAR_SPIN 16
#define IDC_ENTRY_WITH_YEAR 18
#define IDC_ENTRY_NAME 703
#define IDC_ENTRY_NAME_SUFFIX 714
#define IDC_ENTRY_YEAR_SUFFIX 715

// Jump dialog controls.
#define IDC_JUMP_ERA 301
#define IDC_JUMP_YEAR 302
#define IDC_JUMP_YEAR_SPIN 303
#define IDC_JUMP_MONTH 304
#define IDC_JUMP_DAY 305
#define IDC_JUMP_DAYS 306
#define IDC_JUMP_TODAY 307
#define IDC_JUMP_DAYS_SPIN 308

// About box: the version line, written from the project's version.
#define IDC_ABOUT_VERSION 1200

// iCalendar, in the data-editing submenu.
#define CMD_ICS_EXPORT 920
#define CMD_ICS_IMPORT 931
#define CMD_SYNC 940
// 検索, in the system menu (Ctrl+F).
#define CMD_FIND 941
#define CMD_YEAR_VIEW 942
#define CMD_PRINT 943

// The span of years an iCalendar export or import covers.
#define IDC_ICS_FROM 1210
#define IDC_ICS_FROM_SPIN 1211
#define IDC_ICS_TO 1212
#define IDC_ICS_TO_SPIN 1213

// The progress of a long iCalendar export or import.
#define IDC_ICS_PROGRESS_TEXT 1220
#define IDC_ICS_PROGRESS_BAR 1221
