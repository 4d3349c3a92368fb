; AUTOEXEC.BAT of the CD-ROM drive's MS-DOS diskette: start the CD-ROM
; extension only if the driver's device came up.
%include "record.inc"
        db CRLF, "@if exist qlcddrv$ mscdex.exe /d:qlcddrv$ ", CRLF, CRLF
        end_of_record 48
