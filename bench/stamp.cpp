// The compile benchmark's stand-in for each TeX program: it runs the real one, named by the
// environment variable BENCH_STAMP_<its own name>, and appends "<name> <start> <end>" (monotonic
// nanoseconds) to the file named by BENCH_STAMP_LOG. It is linked statically and does nothing
// else, so that what it adds to each run is small and steady beside the editor's own time.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {
long long Now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}
} // namespace

int main(int, char *argv[])
{
    const long long start = Now();
    const char *slash = std::strrchr(argv[0], '/');
    const char *name = slash ? slash + 1 : argv[0];
    char variable[256];
    std::snprintf(variable, sizeof variable, "BENCH_STAMP_%s", name);
    const char *real = std::getenv(variable);
    const char *log = std::getenv("BENCH_STAMP_LOG");
    if (!real || !log) {
        std::fprintf(stderr, "bench_stamp: %s or BENCH_STAMP_LOG is not set\n", variable);
        return 127;
    }
    // The real path as the program's name: TeX programs find their format and their
    // configuration from it.
    argv[0] = const_cast<char *>(real);
    pid_t pid = 0;
    if (const int error = posix_spawn(&pid, real, nullptr, nullptr, argv, environ)) {
        std::fprintf(stderr, "bench_stamp: %s: %s\n", real, std::strerror(error));
        return 127;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return 127;
    const long long end = Now();
    if (FILE *f = std::fopen(log, "a")) {
        std::fprintf(f, "%s %lld %lld\n", name, start, end);
        std::fclose(f);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
