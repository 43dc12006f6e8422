/* uint32_t QtCallStdcall(const void* function, const uint32_t* arguments,
 *                        uint32_t count, int32_t* stackDelta)
 * Calls a standard-call function with count 32-bit arguments, pushed right to left, and
 * stores how far the callee left the stack pointer from where it was before the
 * arguments were pushed: 0 when the callee removed exactly its arguments. The stack is
 * restored either way. */
#define CONCAT_(a, b) a##b
#define CONCAT(a, b) CONCAT_(a, b)
#define SYMBOL CONCAT(__USER_LABEL_PREFIX__, QtCallStdcall)

    .text
    .globl SYMBOL
SYMBOL:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    pushl %ebx
    movl %esp, %esi          /* callee-saved: the stack pointer before the arguments */
    movl 16(%ebp), %ecx
    movl 12(%ebp), %edx
1:
    testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%edx,%ecx,4)
    jmp 1b
2:
    call *8(%ebp)
    movl %esp, %ecx
    subl %esi, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    movl %esi, %esp
    popl %ebx
    popl %edi
    popl %esi
    popl %ebp
    ret
