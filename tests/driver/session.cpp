#include "session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace barlist::testing {
namespace {

constexpr auto kTimeout = std::chrono::seconds(20);

int wait_status(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads what is available on `fd` into `out` within `ms`; false at end of file.
bool read_some(int fd, std::string& out, int ms) {
  pollfd p{fd, POLLIN, 0};
  if (poll(&p, 1, ms) <= 0) return true;
  char buffer[4096];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  if (n <= 0) return false;
  out.append(buffer, static_cast<std::size_t>(n));
  return true;
}

void write_all(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

[[noreturn]] void exec_barlist(const std::string& folder) {
  if (chdir(folder.c_str()) != 0) _exit(126);
  execl(BARLIST_BINARY, BARLIST_BINARY, static_cast<char*>(nullptr));
  _exit(127);
}

}  // namespace

Outcome run_on_terminal(const std::string& folder, const std::vector<Exchange>& dialogue,
                        const std::string* stdin_text) {
  int in[2] = {-1, -1}, out[2] = {-1, -1};
  if (stdin_text && (pipe(in) != 0 || pipe(out) != 0)) return {};
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    if (stdin_text) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      for (int fd : {in[0], in[1], out[0], out[1]}) close(fd);
    }
    exec_barlist(folder);
  }
  Outcome outcome;
  if (stdin_text) {
    close(in[0]);
    close(out[1]);
    signal(SIGPIPE, SIG_IGN);
    write_all(in[1], *stdin_text);
    close(in[1]);
  }
  const auto deadline = std::chrono::steady_clock::now() + kTimeout;
  std::size_t next = 0;
  std::size_t seen = 0;  // the terminal text already matched against a prompt
  bool open = true;
  while (open && std::chrono::steady_clock::now() < deadline) {
    open = read_some(master, outcome.terminal, 10);
    if (stdin_text) read_some(out[0], outcome.output, 0);
    if (next < dialogue.size()) {
      const std::size_t at = outcome.terminal.find(dialogue[next].prompt, seen);
      if (at != std::string::npos) {
        seen = at + dialogue[next].prompt.size();
        // A lone end-of-input character is typed as it is, without a line end.
        write_all(master, dialogue[next].reply == "\x04" ? dialogue[next].reply : dialogue[next].reply + "\n");
        ++next;
      }
    }
  }
  if (open) kill(pid, SIGKILL);
  if (stdin_text) {
    while (read_some(out[0], outcome.output, 10)) {
    }
    close(out[0]);
  }
  close(master);
  outcome.status = wait_status(pid);
  return outcome;
}

}  // namespace barlist::testing
