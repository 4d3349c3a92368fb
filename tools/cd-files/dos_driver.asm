; A DOS character device driver that stands in for a Quellorn drive's DOS
; driver on the demo CD: it loads, names its device, says so, and answers
; every later request "done".  Assembled by tools/cd-tree.py:
;   nasm -f bin -DDEVICE='QLCDDRV$' -DTITLE='Quellorn CD-ROM drive'
        bits 16
        org 0

header: dd -1                   ; no next driver
        dw 0x8000               ; character device
        dw strategy
        dw interrupt
        db DEVICE               ; exactly eight characters

request: dd 0                   ; request header saved by the strategy routine

strategy:
        mov [cs:request], bx
        mov [cs:request + 2], es
        retf

interrupt:
        push ax
        push bx
        push dx
        push ds
        push es
        les bx, [cs:request]
        cmp byte [es:bx + 2], 0 ; INIT?
        jne .done
        push cs
        pop ds
        mov dx, banner
        mov ah, 9
        int 0x21
        mov word [es:bx + 14], resident_end
        mov [es:bx + 16], cs
.done:  mov word [es:bx + 3], 0x0100
        pop es
        pop ds
        pop dx
        pop bx
        pop ax
        retf

resident_end:
banner: db TITLE, " driver 2.10 (demonstration CD stand-in) loaded", 13, 10, "$"
