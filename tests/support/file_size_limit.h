#pragma once
// A write that fails halfway, as on a full disk, without a mount: `write` runs in a child process whose files
// may not grow past `limit_bytes` (the write() that crosses it fails with EFBIG; SIGXFSZ is ignored).
// POSIX only: Windows has no per-process file-size limit.
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <functional>
#include <string>

namespace morvane::testing {

// What `write` returned in the child (its message), or "child ended abnormally".
inline std::string with_file_size_limit(uint64_t limit_bytes, const std::function<std::string()>& write) {
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe_fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(limit_bytes), rlim_t(limit_bytes)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string message = write();
        for (size_t done = 0; done < message.size();) {
            const ssize_t n = ::write(pipe_fds[1], message.data() + done, message.size() - done);
            if (n <= 0) break;
            done += size_t(n);
        }
        ::_exit(0);
    }
    ::close(pipe_fds[1]);
    std::string message;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;) message.append(buffer, size_t(n));
    ::close(pipe_fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? message : "child ended abnormally";
}

}  // namespace morvane::testing
#endif  // _WIN32
