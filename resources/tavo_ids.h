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
