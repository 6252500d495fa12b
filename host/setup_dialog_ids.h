/* Control ids of the setup dialog, shared by the resource script and the code. */
#pragma once

/* OK and Cancel carry the dialog manager's own ids (IDOK and IDCANCEL), so that
   Return presses OK and Escape presses Cancel. */
#define IDC_OK 1
#define IDC_CANCEL 2

#define IDC_BITS32 1011
#define IDC_BITS16 1012
#define IDC_FULLSCREEN 1013
#define IDC_RES320 1014
#define IDC_RES512 1015
#define IDC_RES640 1016
#define IDC_RES800 1017
#define IDC_RES1024 1018
#define IDC_ENGLISH 1020
#define IDC_SPANISH 1021
