#include "hw/X86Machine.h"

#include "sys/Hex.h"

#include <string>

#include "hw/HardwareFault.h"

// The instructions live in one block of assembly with a label on each, so that the
// exception handler can tell them from any other faulting instruction by address.
#if defined(__USER_LABEL_PREFIX__)
#define TOVIKA_STR2(x) #x
#define TOVIKA_STR(x) TOVIKA_STR2(x)
#define SYM(name) TOVIKA_STR(__USER_LABEL_PREFIX__) #name
#else
#define SYM(name) #name
#endif

extern "C" {
std::uint8_t tovika_in8(std::uint32_t port);
void tovika_out8(std::uint32_t port, std::uint32_t value);
void tovika_cli();
void tovika_sti();
std::uint32_t tovika_swcall(const hw::FirmwareRegisters* regs);
extern const char tovika_insn_in[], tovika_insn_out[], tovika_insn_cli[], tovika_insn_sti[],
    tovika_insn_swcall[];
}

// The registers that carry the arguments differ: on i686 they are on the stack above the
// return address, on x86-64 Windows they arrive in RCX and RDX. The firmware's register
// protocol is the same 32-bit registers on either.
#if defined(__x86_64__)
#define TOVIKA_IN8_ARGS "  movl %ecx, %edx\n"
#define TOVIKA_OUT8_ARGS "  movl %edx, %eax\n  movl %ecx, %edx\n"
#define TOVIKA_SAVE "  pushq %rbp\n  pushq %rdi\n  pushq %rsi\n  pushq %rbx\n  movq %rcx, %rsi\n"
#define TOVIKA_RESTORE "  popq %rbx\n  popq %rsi\n  popq %rdi\n  popq %rbp\n"
#define TOVIKA_BLOCK "%rsi"
#else
#define TOVIKA_IN8_ARGS "  movl 4(%esp), %edx\n"
#define TOVIKA_OUT8_ARGS "  movl 4(%esp), %edx\n  movl 8(%esp), %eax\n"
#define TOVIKA_SAVE "  pushl %ebp\n  pushl %edi\n  pushl %esi\n  pushl %ebx\n  movl 20(%esp), %esi\n"
#define TOVIKA_RESTORE "  popl %ebx\n  popl %esi\n  popl %edi\n  popl %ebp\n"
#define TOVIKA_BLOCK "%esi"
#endif

asm(".text\n"
    ".globl " SYM(tovika_in8) "\n"
    SYM(tovika_in8) ":\n"
    TOVIKA_IN8_ARGS
    "  movl $0xFF, %eax\n"  // a refused input reads as FFh
    ".globl " SYM(tovika_insn_in) "\n"
    SYM(tovika_insn_in) ":\n"
    "  inb %dx, %al\n"
    "  ret\n"

    ".globl " SYM(tovika_out8) "\n"
    SYM(tovika_out8) ":\n"
    TOVIKA_OUT8_ARGS
    ".globl " SYM(tovika_insn_out) "\n"
    SYM(tovika_insn_out) ":\n"
    "  outb %al, %dx\n"
    "  ret\n"

    ".globl " SYM(tovika_cli) "\n"
    SYM(tovika_cli) ":\n"
    ".globl " SYM(tovika_insn_cli) "\n"
    SYM(tovika_insn_cli) ":\n"
    "  cli\n"
    "  ret\n"

    ".globl " SYM(tovika_sti) "\n"
    SYM(tovika_sti) ":\n"
    ".globl " SYM(tovika_insn_sti) "\n"
    SYM(tovika_insn_sti) ":\n"
    "  sti\n"
    "  ret\n"

    // EAX = function, EBX = FFFFh:param1, ECX = param2, EDX = magic, then AL out to port
    // 0xB0; the firmware answers in EAX before the next instruction. The caller's EBX (and
    // every other callee-saved register, which the firmware might touch) is preserved; the
    // register block's address goes to ESI (RSI) once they are saved.
    ".globl " SYM(tovika_swcall) "\n"
    SYM(tovika_swcall) ":\n"
    TOVIKA_SAVE
    "  movl 0(" TOVIKA_BLOCK "), %eax\n"
    "  movl 4(" TOVIKA_BLOCK "), %ebx\n"
    "  movl 8(" TOVIKA_BLOCK "), %ecx\n"
    "  movl 12(" TOVIKA_BLOCK "), %edx\n"
    ".globl " SYM(tovika_insn_swcall) "\n"
    SYM(tovika_insn_swcall) ":\n"
    "  outb %al, $0xB0\n"
    TOVIKA_RESTORE
    "  ret\n");

namespace hw {

namespace {

// Set by the exception handler when it stepped over one of our instructions. There is one
// thread, and the flag is read right after the instruction.
volatile const char* refusedInstruction = nullptr;


// `instruction` is the row of the message table that names the refused instruction; `number`
// fills its blank (a port, a firmware function).
void ThrowIfRefused(sys::Message instruction, const std::string& number = {}) {
    if (!refusedInstruction) return;
    refusedInstruction = nullptr;
    throw HardwareFault(sys::Message::InstructionRefused, {instruction, number});
}

}  // namespace

unsigned ClaimFaultingInstruction(const void* address) {
    const char* at = static_cast<const char*>(address);
    unsigned length = 0;
    if (at == tovika_insn_in || at == tovika_insn_out || at == tovika_insn_cli ||
        at == tovika_insn_sti)
        length = 1;
    else if (at == tovika_insn_swcall)
        length = 2;  // out imm8, al
    if (length) refusedInstruction = at;
    return length;
}

std::uint8_t X86Machine::In(std::uint16_t port) {
    const std::uint8_t v = tovika_in8(port);
    ThrowIfRefused(sys::Message::PortInput, sys::Hex(port, 2));
    return v;
}

void X86Machine::Out(std::uint16_t port, std::uint8_t value) {
    tovika_out8(port, value);
    ThrowIfRefused(sys::Message::PortOutput, sys::Hex(port, 2));
}

void X86Machine::ClearInterruptFlag() {
    tovika_cli();
    ThrowIfRefused(sys::Message::ClearInterrupts);
}

void X86Machine::SetInterruptFlag() {
    tovika_sti();
    ThrowIfRefused(sys::Message::SetInterrupts);
}

std::uint32_t X86Machine::SoftwareCall(const FirmwareRegisters& regs) {
    const std::uint32_t eax = tovika_swcall(&regs);
    ThrowIfRefused(sys::Message::FirmwareCall, sys::Hex(regs.eax & 0xFFFF, 4));
    return eax;
}

}  // namespace hw
