; CONFIG.SYS of the hard drive's MS-DOS diskette.
%include "record.inc"
        db CRLF, "device=qlhddrv.sys", CRLF
        times 21 db ' '
        db CRLF, CRLF, ' '
        end_of_record 48
