; CONFIG.SYS of the diskette drive's MS-DOS diskette; the longer driver name
; leaves no room for the final space.
%include "record.inc"
        db CRLF, "device=quellorn.sys", CRLF
        times 21 db ' '
        db CRLF, CRLF
        end_of_record 48
