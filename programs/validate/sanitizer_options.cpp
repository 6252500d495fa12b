// Sanitizer builds only. The validator's child processes end, as the host
// does, with the packs' objects and the system libraries' allocations still
// in place; a leak report at the end would change the exit status, which the
// validator reads as a crash of the pack.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
