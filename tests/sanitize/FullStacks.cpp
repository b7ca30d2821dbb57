// Qt's libraries have no frame pointers, so the fast unwinder stops at the first Qt
// frame of an allocation; a leak suppression naming a Qt function needs the full stack.
// Slower, so only the test programs that need it take it.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
