#pragma once

#include <sys/resource.h>
#include <csignal>

namespace vellumora::test {

/**
 * While it lives, files this process writes cannot grow past a size: a write
 * that reaches it falls short and the next one fails with EFBIG, as on a full
 * disk, with no root rights and no disk filled. SIGXFSZ is ignored meanwhile,
 * so the process gets the error instead of ending.
 */
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace vellumora::test
