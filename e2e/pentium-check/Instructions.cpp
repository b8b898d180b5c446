// The cases of the instruction check, as the assembler writes them: one function of
// instructions that the Pentium has (none may be reported) and one of fifteen that it lacks,
// one of each kind that the check tells apart (each must be reported).
__asm__(R"(
    .text
    .globl _tovika_pentium_has
_tovika_pentium_has:
    rdtsc
    cpuid
    cmpxchg8b (%esi)
    bswap %eax
    xadd %eax, %ebx
    shld $3, %eax, %ebx
    bsf %eax, %ebx
    setne %al
    movzbl %al, %eax
    imul %eax, %ebx
    fninit
    fnstsw %ax
    fucompp
    fcomp %st(1)
    fldcw (%esp)
    fistpll (%esp)
    pause
    xchg %ax, %ax
    .byte 0x8d, 0xb4, 0x26, 0, 0, 0, 0  # lea 0x0(%esi,%eiz,1), %esi: the compiler's padding
    smsw %eax
    ud2
    ret

    .globl _tovika_pentium_lacks
_tovika_pentium_lacks:
    cmovne %eax, %ebx
    fcmovb %st(1), %st
    fcomi %st(1), %st
    fucomip %st(1), %st
    nopl 0x0(%eax)
    endbr32
    sysenter
    rdpmc
    movd %eax, %mm0
    pxor %xmm0, %xmm0
    vpxor %xmm0, %xmm0, %xmm0
    fisttpl (%esp)
    popcnt %eax, %ebx
    lfence
    rdtscp
    ret
)");
