#include "tests/support/child_process.h"

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

void RunInChildInto(void* report, std::size_t size, const std::function<void()>& fill) {
  int channel[2];
  if (pipe(channel) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    close(channel[0]);
    fill();
    const ssize_t written = write(channel[1], report, size);
    _exit(written == static_cast<ssize_t>(size) ? 0 : 1);
  }
  close(channel[1]);
  const ssize_t got = read(channel[0], report, size);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (got != static_cast<ssize_t>(size) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("the child did not report");
  }
}

pid_t StartChild(const std::function<void()>& body) {
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    body();
    _exit(0);
  }
  return child;
}

void KillChild(pid_t child) {
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
}

void BecomeOrdinaryUser() {
  constexpr uid_t kNobody = 65534;
  if (geteuid() != 0) return;
  if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) {
    throw std::runtime_error("cannot give up the superuser's rights");
  }
}

unsigned long long LimitFileSize(unsigned long long bytes) {
  signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const unsigned long long before = limit.rlim_cur;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
  return before;
}
