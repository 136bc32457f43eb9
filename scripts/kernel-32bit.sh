# Sourceable: whether this machine's kernel runs 32-bit programs, found out by running one.
#
#   mirl_kernel_runs_32bit
#       True where the kernel runs a 32-bit (i386) program. Trying, not reading the kernel's
#       command line: 32-bit support can be off by the kernel's default.

# A 96-byte i386 ELF that only exits with status 42. Anything else (126 for "Exec format error")
# means the kernel does not run it.
mirl_kernel_runs_32bit() {
    local probe status=0
    probe=$(mktemp) || return 1
    printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0'`
          `'\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\0\x80\x04\x08'`
          `'\0\x80\x04\x08\x60\0\0\0\x60\0\0\0\x05\0\0\0\0\x10\0\0'`
          `'\xb8\x01\0\0\0\xbb\x2a\0\0\0\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    ((status == 42))
}
