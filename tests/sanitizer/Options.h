// The sanitizer build's options for a program of the suite: the first report fails the run, and leaks
// count but for those of the system libraries in the suppressions file. Options in the environment still
// add to these. Included by one source file of each program.
#pragma once

#ifdef VELMORA_LSAN_SUPPRESSIONS
extern "C" const char* __asan_default_options() { return "halt_on_error=1:abort_on_error=1:detect_leaks=1"; }
extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }
extern "C" const char* __lsan_default_options() { return "suppressions=" VELMORA_LSAN_SUPPRESSIONS; }
#endif
