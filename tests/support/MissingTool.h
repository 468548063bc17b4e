#pragma once
// A test that needs something the machine lacks (a locale, a program) skips on a
// developer's machine and fails under CI, where everything must be installed.

#include <gtest/gtest.h>

#include <cstdlib>

#define SKERRA_SKIP_UNLESS_CI(what)                                  \
    do {                                                             \
        if (std::getenv("CI") != nullptr) FAIL() << what << " (required under CI)"; \
        GTEST_SKIP() << what;                                        \
    } while (0)
