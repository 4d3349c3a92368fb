; Boot sector of a stand-in hard disk for the boot tests: makes the diskette
; drive behave like one whose motor is still spinning up, then starts the
; diskette's own boot sector.
;
; It hooks INT 13h so that the first FAIL_READS diskette reads fail with a
; time-out, loads sector 0 of diskette drive DRIVE to 0000:7C00 and starts it
; with DL = DRIVE. The hook lives on at HOOK_SEG, so when the boot restarts
; through INT 19h this sector runs again, finds it installed, keeps what is
; left of its failures and loads the diskette again. On the first start it
; writes the BIOS's own INT 1Eh vector to the debug console, in the order of
; the two stack words of the hand-off: "BIOS1E=offset,segment".
;
;   nasm -f bin -I tests/boot/ -DFAIL_READS=k -DDRIVE=d -o slow.img slow_drive.asm

        cpu     186
        bits    16
        org     7C00h

HOOK_SEG        equ     1000h           ; a copy of this sector runs there
TIMED_OUT       equ     80h             ; INT 13h status: drive not ready

        cli
        xor     ax, ax
        mov     ss, ax
        mov     sp, 7C00h
        mov     ds, ax
        mov     es, ax
        sti
        cld
        cmp     word [13h * 4], hook
        jne     install
        cmp     word [13h * 4 + 2], HOOK_SEG
        jne     install
        jmp     HOOK_SEG:load           ; a restart: keep the hook as it is

install:
        mov     si, t_bios1e
        mov     ax, [1Eh * 4]
        call    report16
        mov     si, t_comma
        mov     ax, [1Eh * 4 + 2]
        call    report16
        mov     al, ' '
        out     DEBUG_PORT, al

        mov     si, 7C00h
        mov     ax, HOOK_SEG
        mov     es, ax
        mov     di, si
        mov     cx, 256
        rep     movsw
        cli
        mov     ax, [13h * 4]
        mov     [es:bios13], ax
        mov     ax, [13h * 4 + 2]
        mov     [es:bios13 + 2], ax
        mov     word [13h * 4], hook
        mov     word [13h * 4 + 2], HOOK_SEG
        sti
        jmp     HOOK_SEG:load

; Runs in the copy: reads the diskette's boot sector past the hook.
load:
        xor     ax, ax
        mov     es, ax
        mov     bx, 7C00h
        mov     ax, 0201h
        mov     cx, 1
        mov     dx, DRIVE
        pushf
        call    far [cs:bios13]
        jc      .broken
        cmp     word [es:7DFEh], 0AA55h
        jne     .broken
        mov     dl, DRIVE
        jmp     0:7C00h
.broken:
        push    cs
        pop     ds
        mov     si, t_broken
        call    puts
        mov     al, FAIL_CODE
        out     EXIT_PORT, al
.halt:
        hlt
        jmp     short .halt

hook:
        cmp     ah, 02h                 ; read
        jne     .bios
        test    dl, 80h                 ; diskette drives only
        jnz     .bios
        cmp     byte [cs:failures], 0
        je      .bios
        dec     byte [cs:failures]
        mov     ax, TIMED_OUT << 8      ; AL = 0: nothing transferred
        sti
        stc
        retf    2
.bios:
        jmp     far [cs:bios13]

%include "debug_console.inc"

t_bios1e db     "BIOS1E=", 0
t_comma db      ",", 0
t_broken db     " CHAIN=FAIL", 10, 0
failures db     FAIL_READS
bios13  dd      0

%if ($ - $$) > 510
%error the stub outgrows its sector
%endif
        times   510 - ($ - $$) db 0
        dw      0AA55h
