; A DOS program that stands in for a utility of the demo CD: it prints what
; it stands for and ends.  A .COM image, which DOS runs whatever the file
; name's extension.  Assembled by tools/cd-tree.py:
;   nasm -f bin -DTITLE='MS-DOS CD-ROM extensions'
        bits 16
        org 0x100

        mov dx, message
        mov ah, 9
        int 0x21
        mov ax, 0x4C00
        int 0x21

message: db TITLE, " (demonstration CD stand-in)", 13, 10, "$"
