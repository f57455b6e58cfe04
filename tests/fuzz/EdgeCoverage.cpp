// Coverage of the fuzz build, for code compiled by GCC.
//
// GCC instruments with -fsanitize-coverage=trace-pc only: every basic block
// calls __sanitizer_cov_trace_pc. libFuzzer no longer takes those calls, but it
// takes any array of 8-bit counters handed to __sanitizer_cov_8bit_counters_init.
// The link renames the calls (-Wl,--wrap=__sanitizer_cov_trace_pc) to the
// function below, which counts edges as pairs of blocks (the previous block and
// this one, hashed into the array), so that libFuzzer sees new paths as new
// counters. Comparisons (-fsanitize-coverage=trace-cmp) go to libFuzzer itself.
//
// Every program of the fuzz build links this file; the programs without
// libFuzzer (the seed writer) find the hooks below weak and empty.

#include <cstddef>
#include <cstdint>

extern "C" void __sanitizer_cov_8bit_counters_init(uint8_t* start, uint8_t* stop) __attribute__((weak));

namespace
{

constexpr std::size_t kCounterCount = std::size_t{1} << 17;

alignas(4096) uint8_t Counters[kCounterCount];
__attribute__((tls_model("initial-exec"))) thread_local uintptr_t PreviousBlock;

struct CounterRegistration
{
    CounterRegistration()
    {
        if (__sanitizer_cov_8bit_counters_init)
        {
            __sanitizer_cov_8bit_counters_init(Counters, Counters + kCounterCount);
        }
    }
};
CounterRegistration Registration;

} // namespace

extern "C" __attribute__((no_sanitize_coverage)) void __wrap___sanitizer_cov_trace_pc()
{
    const auto pc = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    const uintptr_t block = (pc ^ (pc >> 17)) & (kCounterCount - 1);
    ++Counters[block ^ PreviousBlock];
    PreviousBlock = block >> 1;
}

// Comparison hooks for programs without libFuzzer; libFuzzer's own replace
// them. It has none for floating-point comparisons, which GCC also reports.
extern "C"
{
__attribute__((weak)) void __sanitizer_cov_trace_cmp1(uint8_t, uint8_t) {}
__attribute__((weak)) void __sanitizer_cov_trace_cmp2(uint16_t, uint16_t) {}
__attribute__((weak)) void __sanitizer_cov_trace_cmp4(uint32_t, uint32_t) {}
__attribute__((weak)) void __sanitizer_cov_trace_cmp8(uint64_t, uint64_t) {}
__attribute__((weak)) void __sanitizer_cov_trace_const_cmp1(uint8_t, uint8_t) {}
__attribute__((weak)) void __sanitizer_cov_trace_const_cmp2(uint16_t, uint16_t) {}
__attribute__((weak)) void __sanitizer_cov_trace_const_cmp4(uint32_t, uint32_t) {}
__attribute__((weak)) void __sanitizer_cov_trace_const_cmp8(uint64_t, uint64_t) {}
__attribute__((weak)) void __sanitizer_cov_trace_switch(uint64_t, uint64_t*) {}
__attribute__((weak)) void __sanitizer_cov_trace_cmpf(float, float) {}
__attribute__((weak)) void __sanitizer_cov_trace_cmpd(double, double) {}
}
