// SPDX-License-Identifier: GPL-3.0-or-later
// The sanitizer settings every test program starts with, however it is
// started (ctest, by hand, under a debugger): the leak suppressions for the
// platform's libraries in lsan.supp, and a stack trace for every undefined
// behaviour. LSAN_OPTIONS and UBSAN_OPTIONS given by the caller still apply
// on top of these. The runtimes ask for them before main().

extern "C" {
const char* __lsan_default_options();
const char* __ubsan_default_options();

const char* __lsan_default_options() {
    return "suppressions=" KOLVANE_SOURCE_DIR "/tests/lsan.supp:print_suppressions=0";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
}
