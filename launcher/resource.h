// Every resource id of the launcher. The string table is addressed by
// arithmetic on a language index L (1 English, 2 Spanish, 3 French) and a
// button index i, so its rows are named here by their bases.
#pragma once

// Icons, cursors, bitmaps, sounds.
#define IDI_LAUNCHER 170
#define IDC_HANDCUR 108
#define IDB_BANNER 110
#define IDB_BANNER_125 111 // the banner drawn for 120 DPI
#define IDB_BANNER_150 112 // for 144 DPI
#define IDB_BANNER_200 113 // for 192 DPI
#define IDW_CLICK 122

// Version resource.
#define IDV_VERSION 1

// String table bases.
#define IDS_TITLE 0              // + L: window title, also the running-menu search
#define IDS_HEADING 0            // + 10*L: heading with no highlight
#define IDS_HINT 1               // + 10*L: hint with no highlight
#define IDS_LABEL 0              // + 100*L + i: button label, "&" marks the mnemonic
#define IDS_DESCRIPTION 1000     // + 100*L + i: button description
#define IDS_READER_QUESTION 1400 // + 100*L: PDF reader missing or too old
#define IDS_ACTION 2000          // + i: action code of button i (all languages)
#define IDS_GUIDE_NAMES 3000     // + 10*(L-1) + 0/1: the two guide file names
#define IDS_MESSAGE_TEXT 5000    // + L: message dialog text
#define IDS_MESSAGE_OK 5100      // + L: message dialog OK caption
#define IDS_MESSAGE_CANCEL 5200  // + L: message dialog Cancel caption

// Menu commands: the start-up notice and the user's guides dialog.
#define IDD_GUIDES 165
#define IDD_MESSAGE 207
#define IDB_GUIDE_CLOSE 168    // a black cross on grey, 19 x 17
#define IDB_GUIDE2_PICTURE 178 // a disc in coloured segments, 27 x 29
#define IDB_GUIDE1_PICTURE 179 // a disc with speed lines, 32 x 23
#define IDC_GUIDE_PICTURE2 1016
#define IDC_GUIDE_TITLE1 1017
#define IDC_GUIDE_TITLE2 1018
#define IDC_GUIDE_PICTURE1 1019
#define IDC_MESSAGE_TEXT 1031
