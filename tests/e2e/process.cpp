#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>

namespace e2e {
namespace {

void close_fd(int& fd) {
  if (fd >= 0) {
    ::close(fd);
    fd = -1;
  }
}

void make_pipe(int fds[2]) {
  if (::pipe2(fds, O_CLOEXEC) != 0) {
    throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  }
}

}  // namespace

ProcessResult run_process(const std::string& program, const std::vector<std::string>& args, const std::string& input,
                          const std::string& workdir, std::chrono::milliseconds timeout) {
  // A child that stops reading its input must not kill the test with SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);

  int in[2], out[2], err[2];
  make_pipe(in);
  make_pipe(out);
  make_pipe(err);

  std::vector<std::string> argv_store;
  argv_store.push_back(program);
  argv_store.insert(argv_store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_store) argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (pid == 0) {
    // Child: only async-signal-safe calls from here on.
    ::setsid();
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    if (!workdir.empty() && ::chdir(workdir.c_str()) != 0) ::_exit(126);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }

  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  int to_child = in[1];
  int from_out = out[0];
  int from_err = err[0];
  for (int fd : {to_child, from_out, from_err}) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);

  ProcessResult result;
  std::size_t written = 0;
  if (input.empty()) close_fd(to_child);
  const auto deadline = std::chrono::steady_clock::now() + timeout;

  while (from_out >= 0 || from_err >= 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timed_out = true;
      ::kill(-pid, SIGKILL);
      break;
    }
    pollfd fds[3];
    int n = 0;
    if (to_child >= 0) fds[n++] = {to_child, POLLOUT, 0};
    if (from_out >= 0) fds[n++] = {from_out, POLLIN, 0};
    if (from_err >= 0) fds[n++] = {from_err, POLLIN, 0};
    const int ready = ::poll(fds, n, static_cast<int>(std::min<long long>(left.count(), 1000)));
    if (ready < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
    }
    for (int i = 0; i < n; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == to_child) {
        const ssize_t w = ::write(to_child, input.data() + written, input.size() - written);
        if (w > 0) written += static_cast<std::size_t>(w);
        if (w < 0 && errno != EAGAIN && errno != EINTR) written = input.size();
        if (written >= input.size()) close_fd(to_child);
      } else {
        char buf[65536];
        const ssize_t r = ::read(fds[i].fd, buf, sizeof buf);
        if (r > 0) {
          (fds[i].fd == from_out ? result.out : result.err).append(buf, static_cast<std::size_t>(r));
        } else if (r == 0 || (errno != EAGAIN && errno != EINTR)) {
          if (fds[i].fd == from_out)
            close_fd(from_out);
          else
            close_fd(from_err);
        }
      }
    }
  }
  close_fd(to_child);
  close_fd(from_out);
  close_fd(from_err);

  // The output pipes are closed; wait for the exit itself, within the same limit.
  int status = 0;
  for (;;) {
    const pid_t w = ::waitpid(pid, &status, result.timed_out ? 0 : WNOHANG);
    if (w == pid) break;
    if (w < 0 && errno != EINTR) throw std::runtime_error(std::string("waitpid: ") + std::strerror(errno));
    if (w == 0) {
      if (std::chrono::steady_clock::now() >= deadline) {
        result.timed_out = true;
        ::kill(-pid, SIGKILL);
      } else {
        ::usleep(2000);
      }
    }
  }
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.term_signal = WTERMSIG(status);
  return result;
}

}  // namespace e2e
