; Stand-in for IO.SYS in the boot tests: five sectors, "MZ" at 0, "BJ" and
; code at 200h, marks at the end of sectors 3, 4 and 5. The loader should
; bring in the first four only. The code reports what it was handed to the
; debug console (port E9h) and ends qemu through the isa-debug-exit port
; (F4h) with PASS_CODE or FAIL_CODE.
;
;   nasm -f bin [-DBAD_MZ | -DBAD_BJ] -o IO.SYS payload.asm

        cpu     386
        bits    16
        org     0                       ; run as 0070:0000

DEBUG_PORT      equ     0E9h
EXIT_PORT       equ     0F4h
PASS_CODE       equ     10h             ; qemu exit status 21h
FAIL_CODE       equ     20h             ; qemu exit status 41h
BOOT_BP         equ     7C00h
DPT_COPY        equ     0522h
MARK3           equ     600h - 4        ; last bytes of sectors 3, 4 and 5
MARK4           equ     800h - 4
MARK5           equ     0A00h - 4

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

        mov     si, t_ss
        mov     ax, [entry_ss]
        call    report16
        mov     bx, 0
        call    expect
        mov     si, t_bp
        mov     ax, [entry_bp]
        call    report16
        mov     bx, BOOT_BP
        call    expect
        mov     si, t_sp
        mov     ax, [entry_sp]
        call    report16
        cmp     ax, BOOT_BP - 12
        jbe     .sp_ok
        mov     byte [verdict], FAIL_CODE
.sp_ok:
        mov     si, t_di
        mov     ax, [entry_di]
        call    report16
        mov     si, t_dl
        mov     al, [entry_dx]
        call    report8
        mov     si, t_drive
        mov     al, [es:BOOT_BP + 24h]
        call    report8
        cmp     al, [entry_dx]
        je      .drive_ok
        mov     byte [verdict], FAIL_CODE
.drive_ok:
        ; [bp-4]: first data sector, a dword
        mov     si, t_lba
        mov     ax, [es:BOOT_BP - 2]
        call    report16
        mov     bx, 0
        call    expect
        mov     si, t_none
        mov     ax, [es:BOOT_BP - 4]
        call    report16
        mov     bx, 33
        call    expect
        ; the four stack words
        mov     bx, [entry_sp]
        mov     si, t_stack
        mov     ax, [es:bx]
        call    report16
        push    bx
        mov     bx, 78h
        call    expect
        pop     bx
        mov     si, t_comma
        mov     ax, [es:bx + 2]
        call    report16
        push    bx
        mov     bx, 0
        call    expect
        pop     bx
        mov     si, t_comma
        mov     ax, [es:bx + 4]
        call    report16
        mov     si, t_comma
        mov     ax, [es:bx + 6]
        call    report16
        ; INT 1Eh and the table it points to
        mov     si, t_vector
        mov     ax, [es:1Eh * 4 + 2]
        call    report16
        mov     bx, 0
        call    expect
        mov     si, t_colon
        mov     ax, [es:1Eh * 4]
        call    report16
        mov     bx, DPT_COPY
        call    expect
        mov     si, t_spt
        mov     al, [es:DPT_COPY + 4]
        call    report8
        mov     bx, 18
        call    expect8
        mov     si, t_settle
        mov     al, [es:DPT_COPY + 9]
        call    report8
        mov     bx, 15
        call    expect8
        ; the sector marks: 3 and 4 loaded, 5 not
        mov     si, t_marks
        mov     eax, [es:0700h + MARK3]
        cmp     eax, [mark3]
        call    report_flag
        mov     eax, [es:0700h + MARK4]
        cmp     eax, [mark4]
        call    report_flag
        mov     eax, [es:0700h + MARK5]
        cmp     eax, [mark5]
        call    report_flag

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

; Writes the text at SI, then AX in hex.
report16:
        call    puts
        push    ax
        mov     al, ah
        call    hex8
        pop     ax
        jmp     hex8

; Writes the text at SI, then AL in hex.
report8:
        call    puts
        jmp     hex8

; Writes the text at SI, then 1 if ZF is set, else 0.
report_flag:
        mov     al, '0'
        jne     .out
        inc     al
.out:
        call    puts
        out     DEBUG_PORT, al
        mov     si, t_none
        ret

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

; Writes AL in hex; keeps AX.
hex8:
        push    ax
        shr     al, 4
        call    .digit
        pop     ax
.digit:
        push    ax
        and     al, 0Fh
        add     al, '0'
        cmp     al, '9'
        jbe     .put
        add     al, 'A' - '9' - 1
.put:
        out     DEBUG_PORT, al
        pop     ax
        ret

puts:
        push    ax
.next:
        lodsb
        test    al, al
        jz      .end
        out     DEBUG_PORT, al
        jmp     short .next
.end:
        pop     ax
        ret

t_ss    db      "SS=", 0
t_bp    db      " BP=", 0
t_sp    db      " SP=", 0
t_di    db      " DI=", 0
t_dl    db      " DL=", 0
t_drive db      " DRIVE=", 0
t_lba   db      " LBA=", 0
t_stack db      " STACK=", 0
t_comma db      ",", 0
t_vector db     " INT1E=", 0
t_colon db      ":", 0
t_spt   db      " SPT=", 0
t_settle db     " SETTLE=", 0
t_marks db      " MARKS=", 0
t_result db     " RESULT=", 0
t_pass  db      "PASS", 10, 0
t_fail  db      "FAIL", 10, 0
t_none  db      0
mark3   db      "SEC3"
mark4   db      "SEC4"
mark5   db      "SEC5"
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
