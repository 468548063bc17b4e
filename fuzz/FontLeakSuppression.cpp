// The targets that paint load the system's fonts once: fontconfig keeps a few
// blocks of its own to the end of the process, which the leak checker would
// report at exit. Those alone are not reported.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
