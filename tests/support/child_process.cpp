#include "support/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

int ExitStatusInChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

bool BecomeUnprivileged() {
    if (::geteuid() != 0) return true;
    return ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && ::geteuid() != 0;
}
