#pragma once
// Resource and control identifiers of the program. The end-to-end tests drive the window by these ids.

#define IDR_MAINICON 1

// Top area and frame.
#define IDC_TABS 100
#define IDC_BENCHBUTTON 101
#define IDC_STATUSBAR 102
#define IDC_HOMEPAGE 103
#define IDC_UPDATE 104
#define IDC_HELPBUTTON 105
#define IDC_PARTNERLOGO 106
#define IDC_PANEL1 107
#define IDC_IMAGE2 108
#define IDC_PANELTEXT 109

// "Path" page.
#define IDC_WMPATHEDIT 200
#define IDC_FINDMAN 201
#define IDC_VERSIONLABEL 202

// "Demos" page: demo radio items are IDC_DEMO0 + index (0..11).
#define IDC_DEMO0 300
#define IDC_MAPNAMEBOX 320
#define IDC_DEMONAMEBOX 321
#define IDC_TOOLBUTTON3 322

// The demo frames dialog ("OK" and "Cancel" are IDOK and IDCANCEL).
#define IDC_TOTALFRAMEEDIT 330

// The monitor resolutions dialog.
#define IDC_MONITORTITLE 340
#define IDC_MONITORCLOSE 341
#define IDC_MONITORLIST 342
#define IDC_MONITORADD 343

// "Settings 1" page: resolution items are IDC_RES0 + index (0..5); detail items IDC_DETAIL0 + index (0..3).
#define IDC_RES0 400
#define IDC_CUSRESBOX 410
#define IDC_CUSWIDTH 411
#define IDC_CUSHEIGHT 412
#define IDC_CUSPOSSIBILITIES 413
#define IDC_DETAIL0 420
#define IDC_DETAILEDIT 430
#define IDC_DETAILBUTTON 431

// "Settings 2" page: shader items IDC_PSHADER0 + index (0..2).
#define IDC_PSHADER0 500
#define IDC_AFBOX 510
#define IDC_AABOX 511

// "Settings 3" page.
#define IDC_RENDERERBOX 600
#define IDC_RUNNUMBERBOX 601
#define IDC_LANGBOX 602

// "General" page.
#define IDC_RESEDIT 700
#define IDC_OPENRESFOLDER 701
#define IDC_TOOLBUTTON8 702
#define IDC_TOOLBUTTON2 703
#define IDC_NOTEEDIT 704
#define IDC_DECBOX 705
#define IDC_LABEL8 706
#define IDC_WAITS 707
#define IDC_WAITSSPIN 708
#define IDC_LABEL10 709
#define IDC_REPEATBOX 710
#define IDC_REPEATLIMITEDIT 711
#define IDC_REPEATLIMITSPIN 712
#define IDC_REPEATMOSTEDIT 713
#define IDC_REPEATMOSTSPIN 714

// "Screen" page.
#define IDC_ENABLESCSHOT 800
#define IDC_ADDINFO 801
#define IDC_FRAMEEDIT 802
#define IDC_LABEL3 803
#define IDC_BUTTON1 804
#define IDC_SCRSAVEFOLD 805
#define IDC_TOOLBUTTON9 806
#define IDC_TOOLBUTTON10 807

// "Specific" page.
#define IDC_HDRBOX 900
#define IDC_HDRLEVELBOX 901
#define IDC_HDRLEVELSPIN 902
#define IDC_SECTIME 903
#define IDC_GIBOX 904
#define IDC_COMPRESSBOX 905

// Pictures.
#define IDC_LOGO 110
#define IDC_SPECIFICPIC0 910

// News window: a hidden static whose text is the address the browser was last sent to ("" before any).
#define IDC_NEWSADDRESS 1000

// Update windows (1100 to 1129). The offer dialog: "Yes" is IDOK, "Later" IDCANCEL.
#define IDC_OFFERICON 1100
#define IDC_OFFERLABEL 1101
// The update wizard: the group boxes, the controls on them, the note of the last page, "Finish" (Cancel is
// IDCANCEL).
#define IDC_WIZTITLE 1110
#define IDC_WIZCURRENTFILE 1111
#define IDC_WIZFROMLABEL 1112
#define IDC_WIZFILEURL 1113
#define IDC_WIZFILESIZE 1114
#define IDC_WIZRATE 1115
#define IDC_WIZTIMELEFT 1116
#define IDC_WIZFILEPROGRESS 1117
#define IDC_WIZALLFILES 1118
#define IDC_WIZALLDOWNLOADING 1119
#define IDC_WIZALLPROGRESS 1120
#define IDC_WIZAFTERNOTE 1121
#define IDC_WIZFINISH 1122
// Crash dialog (1130 to 1139).
#define IDC_CRASHSUMMARY 1130
#define IDC_CRASHREPORT 1131
#define IDC_CRASHSENDSTATUS 1132
#define IDC_CRASHSEND 1133
#define IDC_CRASHSAVE 1134
#define IDC_CRASHCLOSE 1135
