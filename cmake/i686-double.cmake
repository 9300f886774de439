# Every double of the 32-bit builds is an IEEE double, as on x86_64: on the
# x87 unit intermediates keep 80 bits, and rules that round a product (the
# gradient steps, the charts' colour steps, locating) land one step off at
# some ties. SSE2 is on every processor that runs Windows 8 and later.
set(ZAVRIK_I686_FP_FLAGS "-msse2 -mfpmath=sse" CACHE STRING "Floating-point code generation of the 32-bit builds")
