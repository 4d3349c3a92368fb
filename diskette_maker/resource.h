/* Resource ids of Floppwright: dialogs, controls, strings, icon and the
 * RECORD data blocks. Shared by the resource scripts, the Win32 front end and
 * the platform-free core (which names the same controls in its decisions). */
#ifndef FLOPPWRIGHT_RESOURCE_H
#define FLOPPWRIGHT_RESOURCE_H

/* Data blocks of the custom type RECORD (looked up by the name "Record"). */
#define RECORD_TYPE_NAME "Record"
#define IDR_CONFIG_CDROM 107
#define IDR_AUTOEXEC_CDROM 108
#define IDR_BOOT_SECTOR 109
#define IDR_CONFIG_HARD_DRIVE 110
#define IDR_CONFIG_DISKETTE 111

/* Dialog templates and the icon. */
#define IDD_MAKEDISK 101
#define IDI_MAKEDISK 102
#define IDD_PRODUCT 105

/* Controls of the main window (dialog 101). */
#define IDC_DESCRIPTION 1000
#define IDC_COPY 1002
#define IDC_CANCEL 1003
#define IDC_LANG_ENGLISH 1005
#define IDC_LANG_SPANISH 1006
#define IDC_LANG_FRENCH 1007
#define IDC_HEADING 1013
#define IDC_LANG_GROUP 1016
#define IDC_VARIANT_WINDOWS 1018
#define IDC_VARIANT_MSDOS 1019
#define IDC_VARIANT_GROUP 1020

/* Controls of the product dialog (dialog 105); 1 and 2 are IDOK and IDCANCEL. */
#define IDC_PRODUCT_HEADING 1021
#define IDC_PRODUCT_CDROM 1022
#define IDC_PRODUCT_DISKETTE 1023
#define IDC_PRODUCT_HARDDRIVE 1024

/* The system-menu item "Make Startup Disk (MS-DOS)". */
#define IDM_STARTUPDISK 1

/* String bases: the text for a language is base + LanguageIndex (1-3). */
#define IDS_COPY_BASE 9
#define IDS_CANCEL_BASE 19
#define IDS_OK_BASE 29
#define IDS_TITLE_BASE 39
#define IDS_LANGUAGE_BASE 49
#define IDS_FINISHED_BASE 59
#define IDS_DESCRIPTION_BASE 99
#define IDS_NODRIVE_BASE 199
#define IDS_DISKTYPE_BASE 299
#define IDS_SELECTPRODUCT_BASE 399
#define IDS_ERASEWARNING_BASE 499
#define IDS_HARDDRIVE_BASE 599
#define IDS_CDROM_BASE 602
#define IDS_DISKETTE_BASE 605
#define IDS_FILESLEFT_BASE 799

/* Texts of the -image option: the diskette written as an image file; kept
 * close together, as the string table stores its texts in blocks of 16. */
#define IDS_IMAGE_REPLACE_BASE 703
#define IDS_IMAGE_DONE_BASE 706
#define IDS_IMAGE_UNWRITABLE_BASE 709
#define IDS_IMAGE_MISSING_BASE 712
#define IDS_IMAGE_TOOLARGE_BASE 715
#define IDS_IMAGE_BADNAME_BASE 718
#define IDS_IMAGE_TOOMANY_BASE 721
#define IDS_IMAGE_FILTER_BASE 724
#define IDS_IMAGE_NOTMADE_BASE 727
#define IDS_NODRIVE_IMAGE_BASE 730
#define IDS_NOT_BOOTABLE_BASE 733

#endif
