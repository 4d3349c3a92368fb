/* Resource ids of Floppwright. */
#ifndef FLOPPWRIGHT_RESOURCE_H
#define FLOPPWRIGHT_RESOURCE_H

/* Data blocks of the custom type RECORD (looked up by the name "Record"). */
#define RECORD_TYPE_NAME        "Record"
#define IDR_CONFIG_CDROM        107
#define IDR_AUTOEXEC_CDROM      108
#define IDR_BOOT_SECTOR         109
#define IDR_CONFIG_HARD_DRIVE   110
#define IDR_CONFIG_DISKETTE     111

#endif
