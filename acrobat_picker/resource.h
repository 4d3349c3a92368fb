// Resource ids of Lingpick.
#ifndef ACROBAT_PICKER_RESOURCE_H
#define ACROBAT_PICKER_RESOURCE_H

// String resources 1 upward are the language rows ("code,prompt,name").
#define IDS_ROW_ENGLISH 1
#define IDS_ROW_SPANISH 2
#define IDS_ROW_FRENCH 3

#define IDD_LANGUAGE 101
#define IDI_LINGPICK 102

#define IDC_LANGUAGE_LIST 1001
#define IDC_PROMPT 1002

#endif
