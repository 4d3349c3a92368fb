; CONFIG.SYS of the CD-ROM drive's MS-DOS diskette.
%include "record.inc"
        db CRLF, "device=qlcddrv.sys", CRLF
        times 21 db ' '
        db CRLF, CRLF, ' '
        end_of_record 48
