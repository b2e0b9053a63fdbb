#pragma once
// A write that fails for any user, the superuser too: the process's file
// size limit.

#include <signal.h>
#include <sys/resource.h>

namespace testing_support {

/// Files of this process may grow to `bytes` and no further while it
/// lives: a write past that fails with "File too large" instead of the
/// signal ending the process. Any user may set it, unlike mounting a small
/// file system to fill.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_saved.rlim_max};
        m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        ::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool IsSet() const { return m_set; }

private:
    rlimit m_saved{};
    sighandler_t m_handler = SIG_DFL;
    bool m_set = false;
};

}  // namespace testing_support
