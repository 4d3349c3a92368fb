; Boot record of a 1.44 MB FAT12 system diskette.
;
; The BIOS loads this sector to 0000:7C00 and jumps to it. The loader finds
; the system file named at NAME_SYSTEM in the root directory, loads its first
; four sectors to 0070:0000 and starts it at 0070:0200 the way an MS-DOS 7
; IO.SYS expects to be started:
;
;   SS:BP         0000:7C00, this sector with its BPB
;   [bp-4]        dword, first data sector (hidden sectors included)
;   DI            first cluster of the file
;   DL            boot drive, also kept in the BPB at 24h
;   [ss:sp]       0078h, 0000h, then the original INT 1Eh offset and segment,
;                 which the system pops to put the vector back
;   INT 1Eh       a copy of the diskette parameter table at 0000:0522,
;                 set to 18 sectors per track and a head-settle time of 15
;
; The system reads the rest of its file as consecutive sectors: the file must
; be contiguous, as it is when it is the first file copied to an empty
; diskette. On failure the loader names the fault, waits for a key, puts the
; INT 1Eh vector back and restarts the boot through INT 19h.

        cpu     186
        bits    16
        org     7C00h

LOAD_SEG        equ     0070h           ; where the system file goes
LOAD_ADDR       equ     LOAD_SEG * 16
LOAD_SECTORS    equ     4
ENTRY_OFFSET    equ     0200h
DPT_VECTOR      equ     1Eh * 4
DPT_COPY        equ     0522h
DPT_SIZE        equ     11
DPT_SPT         equ     4               ; sectors per track
DPT_SETTLE      equ     9               ; head-settle time
READ_ATTEMPTS   equ     5

; Places a fixed field, failing the build if the code has run into it.
%macro fixed_at 1
%if ($ - $$) > %1
%error code overruns the fixed field at %1
%endif
        times   %1 - ($ - $$) db 0
%endmacro

; BPB fields relative to BP (= 7C00h)
%define bpbBytesPerSector       bp + 0Bh
%define bpbSectorsPerCluster    bp + 0Dh
%define bpbReservedSectors      bp + 0Eh
%define bpbFatCount             bp + 10h
%define bpbRootEntries          bp + 11h
%define bpbSectorsPerFat        bp + 16h
%define bpbSectorsPerTrack      bp + 18h
%define bpbHeads                bp + 1Ah
%define bpbHiddenSectors        bp + 1Ch
%define bpbDrive                bp + 24h
%define firstDataSector         bp - 4

        jmp     short start
        nop
        db      29h, 4Ch, 3Eh, 28h, 22h, 49h, 48h, 43h  ; OEM name
        dw      512                     ; bytes per sector
        db      1                       ; sectors per cluster
        dw      1                       ; reserved sectors
        db      2                       ; FATs
        dw      224                     ; root directory entries
        dw      2880                    ; total sectors
        db      0F0h                    ; media descriptor
        dw      9                       ; sectors per FAT
        dw      18                      ; sectors per track
        dw      2                       ; heads
        dd      0                       ; hidden sectors
        dd      0                       ; total sectors, 32-bit form
        db      0                       ; BIOS drive
        db      0                       ; reserved
        db      29h                     ; extended boot signature
        dd      293260C1h               ; volume serial number
        db      "           "           ; volume label
        db      "FAT12   "              ; file-system type

        fixed_at 3Eh
start:
        cli
        xor     ax, ax
        mov     ss, ax
        mov     bp, 7C00h
        lea     sp, [firstDataSector]
        mov     es, ax
        cld

        ; Keep the old INT 1Eh vector on the stack, the way the system
        ; expects to find it, and copy the table it points to.
        mov     bx, DPT_VECTOR
        mov     ds, ax
        lds     si, [bx]
        push    ds
        push    si
        push    ss                      ; 0000h
        push    bx                      ; 0078h
        mov     di, DPT_COPY
        mov     cx, DPT_SIZE
        rep     movsb
        mov     ds, ax
        mov     [bx], word DPT_COPY
        mov     [bx + 2], ax
        mov     al, [bpbSectorsPerTrack]
        mov     [DPT_COPY + DPT_SPT], al
        mov     byte [DPT_COPY + DPT_SETTLE], 15
        sti

        mov     [bpbDrive], dl
        xor     ax, ax
        int     13h                     ; reset, so the new table takes hold

        ; root directory: after the reserved sectors and the FATs
        mov     al, [bpbFatCount]
        cbw
        mul     word [bpbSectorsPerFat]
        add     ax, [bpbReservedSectors]
        add     ax, [bpbHiddenSectors]
        xchg    ax, si                  ; SI = first root sector
        mov     ax, 32
        mul     word [bpbRootEntries]
        add     ax, [bpbBytesPerSector]
        dec     ax
        div     word [bpbBytesPerSector]
        xchg    ax, dx                  ; DX = root sectors
        lea     ax, [si]
        add     ax, dx
        mov     [firstDataSector], ax
        mov     cx, [bpbHiddenSectors + 2]
        mov     [firstDataSector + 2], cx
        xchg    ax, si                  ; AX = first root sector

find_sector:
        mov     bx, LOAD_ADDR
        call    read_sector
        mov     di, bx
find_entry:
        cmp     byte [di], 0            ; end of the directory
        je      invalid_disk
        mov     si, name_system
        mov     cx, 11
        push    di
        repe    cmpsb
        pop     di
        je      found
        add     di, 32
        cmp     di, LOAD_ADDR + 512
        jb      find_entry
        inc     ax
        dec     dx
        jnz     find_sector
        jmp     short invalid_disk

found:
        mov     di, [di + 1Ah]          ; first cluster, handed on in DI
        lea     ax, [di - 2]
        mov     cl, [bpbSectorsPerCluster]
        mov     ch, 0
        mul     cx
        add     ax, [firstDataSector]
        mov     bx, LOAD_ADDR
        mov     cl, LOAD_SECTORS
load_sector:
        call    read_sector
        inc     ax
        add     bx, [bpbBytesPerSector]
        loop    load_sector

        cmp     word [LOAD_ADDR], "MZ"
        jne     invalid_disk
        cmp     word [LOAD_ADDR + ENTRY_OFFSET], "BJ"
        jne     invalid_disk
        mov     dl, [bpbDrive]
        jmp     LOAD_SEG:ENTRY_OFFSET

; Reads logical sector AX into ES:BX, retrying after a drive reset; gives up
; with the I/O error message. Keeps every register.
read_sector:
        pusha
        mov     di, READ_ATTEMPTS
.attempt:
        push    ax
        xor     dx, dx
        div     word [bpbSectorsPerTrack]
        mov     cx, dx
        inc     cx                      ; CL = sector, 1-based
        xor     dx, dx
        div     word [bpbHeads]
        mov     ch, al                  ; cylinder, low eight bits
        shl     ah, 6
        or      cl, ah                  ; cylinder bits 8-9
        mov     dh, dl                  ; head
        mov     dl, [bpbDrive]
        mov     ax, 0201h
        int     13h
        pop     ax
        jnc     .done
        push    ax
        xor     ax, ax
        mov     dl, [bpbDrive]
        int     13h
        pop     ax
        dec     di
        jnz     .attempt
        mov     si, msg_io_error
        jmp     short fail
.done:
        popa
        ret

invalid_disk:
        mov     si, msg_invalid
fail:
        call    print
        mov     si, msg_replace
        call    print
        xor     ax, ax
        int     16h
        lea     sp, [bp - 12]
        pop     ax
        pop     ax
        pop     word [DPT_VECTOR]
        pop     word [DPT_VECTOR + 2]
        int     19h

; Prints the text at SI up to a 00h or FFh byte.
print:
        lodsb
        inc     al
        cmp     al, 1
        jbe     .end
        dec     al
        mov     ah, 0Eh
        mov     bx, 7
        int     10h
        jmp     short print
.end:
        ret

        fixed_at 183h
msg_invalid:
        db      13, 10, "Invalid system disk", 0FFh
        fixed_at 199h
msg_io_error:
        db      13, 10, "Disk I/O error", 0FFh
        fixed_at 1AAh
msg_replace:
        db      13, 10, "Replace the disk, and then press any key", 13, 10, 0, 0
        fixed_at 1D8h
name_system:
        db      "IO      SYS"
        fixed_at 1E3h
        db      "MSDOS   SYS"
        fixed_at 1FEh
        dw      0AA55h
