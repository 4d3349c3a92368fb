; Stand-in for IO.SYS in the boot tests: five sectors, "MZ" at 0, "BJ" and
; code at 200h, marks at the end of sectors 3, 4 and 5. The loader should
; bring in the first four only. The code reports what it was handed to the
; debug console (port E9h) and ends qemu through the isa-debug-exit port
; (F4h) with PASS_CODE or FAIL_CODE.
;
;   nasm -f bin -I tests/boot/ [-DBAD_MZ | -DBAD_BJ] -o IO.SYS payload.asm

        cpu     386
        bits    16
        org     0                       ; run as 0070:0000

BOOT_BP         equ     7C00h
DPT_COPY        equ     0522h
MARK3           equ     600h - 4        ; last bytes of sectors 3, 4 and 5
MARK4           equ     800h - 4
MARK5           equ     0A00h - 4
LOAD_ADDR       equ     0700h


; show16 label, value [, expected]: writes the label and the value in hex;
; with an expected value, a difference fails the run. show8 likewise.
%macro show16 2-3
        jmp     short %%code
%%text  db      %1, 0
%%code:
        mov     si, %%text
        mov     ax, %2
        call    report16
%if %0 == 3
        mov     bx, %3
        call    expect
%endif
%endmacro

%macro show8 2-3
        jmp     short %%code
%%text  db      %1, 0
%%code:
        mov     si, %%text
        mov     al, %2
        call    report8
%if %0 == 3
        mov     bl, %3
        call    expect8
%endif
%endmacro

; show_mark label, offset, mark, loaded: writes 1 if the four bytes at that
; offset of the file hold the mark in memory, else 0; fails unless that is
; what loaded says.
%macro show_mark 4
        jmp     short %%code
%%text  db      %1, 0
%%code:
        mov     si, %%text
        call    puts
        cmp     dword [es:LOAD_ADDR + %2], %3
        mov     al, '0'
        jne     %%out
        inc     al
%%out:
        out     DEBUG_PORT, al
        cmp     al, '0' + %4
        je      %%done
        mov     byte [verdict], FAIL_CODE
%%done:
%endmacro

%ifdef BAD_MZ
        db      "MX"
%else
        db      "MZ"
%endif
        times   200h - ($ - $$) db 0

%ifdef BAD_BJ
        db      "BK"
%else
        db      "BJ"                    ; inc dx / dec dx: DL passes through
%endif
        mov     [cs:entry_ss], ss
        mov     [cs:entry_sp], sp
        mov     [cs:entry_bp], bp
        mov     [cs:entry_di], di
        mov     [cs:entry_dx], dx
        push    cs
        pop     ds
        xor     ax, ax
        mov     es, ax                  ; ES: absolute memory
        mov     byte [verdict], PASS_CODE

        show16  "SS=", [entry_ss], 0
        show16  " BP=", [entry_bp], BOOT_BP
        show16  " SP=", [entry_sp]
        cmp     ax, BOOT_BP - 12        ; room for [bp-4] and the four words
        jbe     .sp_ok
        mov     byte [verdict], FAIL_CODE
.sp_ok:
        show16  " DI=", [entry_di]      ; the script knows the cluster
        show8   " DL=", [entry_dx]
        show8   " DRIVE=", [es:BOOT_BP + 24h], [entry_dx]
        show16  " LBA=", [es:BOOT_BP - 2], 0
        show16  "", [es:BOOT_BP - 4], 33
        mov     di, [entry_sp]
        show16  " STACK=", [es:di], 78h
        show16  ",", [es:di + 2], 0
        show16  ",", [es:di + 4]
        show16  ",", [es:di + 6]
        show16  " INT1E=", [es:1Eh * 4 + 2], 0
        show16  ":", [es:1Eh * 4], DPT_COPY
        show8   " SPT=", [es:DPT_COPY + 4], 18
        show8   " SETTLE=", [es:DPT_COPY + 9], 15
        show_mark " MARKS=", MARK3, "SEC3", 1
        show_mark "", MARK4, "SEC4", 1
        show_mark "", MARK5, "SEC5", 0

        mov     si, t_result
        call    puts
        mov     al, [verdict]
        cmp     al, PASS_CODE
        mov     si, t_pass
        je      .tell
        mov     si, t_fail
.tell:
        call    puts
        mov     al, [verdict]
        out     EXIT_PORT, al
.halt:
        hlt
        jmp     short .halt

expect:
        cmp     ax, bx
        je      .same
        mov     byte [verdict], FAIL_CODE
.same:
        ret

expect8:
        cmp     al, bl
        je      .same
        mov     byte [verdict], FAIL_CODE
.same:
        ret

%include "debug_console.inc"

t_result db     " RESULT=", 0
t_pass  db      "PASS", 10, 0
t_fail  db      "FAIL", 10, 0
verdict db      0
entry_ss dw     0
entry_sp dw     0
entry_bp dw     0
entry_di dw     0
entry_dx dw     0

%if ($ - $$) > MARK3
%error payload code runs into the mark of the third sector
%endif
        times   MARK3 - ($ - $$) db 0
        db      "SEC3"
        times   MARK4 - ($ - $$) db 0
        db      "SEC4"
        times   MARK5 - ($ - $$) db 0
        db      "SEC5"
