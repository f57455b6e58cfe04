// Under ThreadSanitizer: the synthesizer library loads its samples with OpenMP
// worker threads, whose runtime is not instrumented and whose own memory
// handling would be reported. Reports from inside that runtime are suppressed;
// races in our code are not. Each program that starts the synthesizer
// compiles this file in (TK_TSAN_OPTIONS); the library leaves it out.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libgomp.so.1\n";
}
#endif
