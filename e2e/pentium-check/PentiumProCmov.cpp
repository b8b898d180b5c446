// The check of the executables' instructions must be able to fail: compiled for the Pentium
// Pro, the larger of two numbers is a CMOV, which the check must find and name.
extern "C" int tovika_larger(int a, int b) { return a > b ? a : b; }
