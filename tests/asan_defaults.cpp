// Sanitizer defaults of the test binaries: the toolkit and the media framework
// keep allocations for the life of the process, which are not leaks of ours.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
