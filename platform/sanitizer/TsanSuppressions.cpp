// Under ThreadSanitizer, reports from inside libraries that are not
// instrumented are suppressed; races in our code are not.
// - The synthesizer library loads its samples with OpenMP worker threads,
//   whose runtime handles its own memory.
// - The synthesizer's instrument library registers its handlers at start-up
//   under a GLib lock that it releases in a way the sanitizer takes for the
//   unlock of a mutex that is not held.
// - Qt converts and scales images on its own pool threads, synchronised by
//   its own locks, which the sanitizer cannot see.
// - Qt's threads run GLib's event loop, whose allocator hands memory between
//   threads under GLib's own locks, which the sanitizer cannot see either.
// - Mesa's software GL driver, which SDL's renderer draws with on a display
//   without a graphics card (Xvfb), runs its drawing on worker threads of its
//   own, waited for with futexes, which the sanitizer cannot see. The driver
//   is unloaded with the last window, so its races are named, not its calls.
// Events that our threads post to the main thread are marked to the
// sanitizer where they are posted and received (ThreadHandOver.h), so no rule
// names a function.
// Each program that starts the synthesizer, Qt or SDL's renderer on a display
// compiles this file in (TK_TSAN_OPTIONS); the libraries leave it out, so
// that it is defined once.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libgomp.so.1\n"
           "called_from_lib:libinstpatch-1.0.so.2\n"
           "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "race:swrast_dri.so\n";
}
#endif
