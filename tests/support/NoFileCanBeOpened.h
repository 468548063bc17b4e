#pragma once
// While alive, the process can open no further file, whoever runs the test (root
// included): a write that needs a new file (an atomic replacement, say) must fail.

#include <sys/resource.h>
#include <unistd.h>

class NoFileCanBeOpened {
public:
    NoFileCanBeOpened()
    {
        getrlimit(RLIMIT_NOFILE, &old_);
        const int lowestFree = dup(0);
        close(lowestFree);
        rlimit cap{rlim_t(lowestFree), old_.rlim_max};
        setrlimit(RLIMIT_NOFILE, &cap);
    }
    ~NoFileCanBeOpened() { setrlimit(RLIMIT_NOFILE, &old_); }
    NoFileCanBeOpened(const NoFileCanBeOpened&) = delete;
    NoFileCanBeOpened& operator=(const NoFileCanBeOpened&) = delete;

private:
    rlimit old_{};
};
