#include "VexQtDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace {

bool Connects(const std::string& socketPath) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
  bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  ::close(fd);
  return connected;
}

// ":1", ":1.0", "unix:1": the local socket of display 1. A remote display (host:1) is trusted
// as it is: it cannot be checked without speaking X.
bool XDisplayAnswers(const std::string& display) {
  std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return false;
  std::string host = display.substr(0, colon);
  if (!host.empty() && host != "unix" && host != "localhost") return true;
  std::string number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (number.empty()) return false;
  return Connects("/tmp/.X11-unix/X" + number);
}

bool WaylandAnswers(const std::string& display) {
  if (!display.empty() && display[0] == '/') return Connects(display);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return runtime && Connects(std::string(runtime) + "/" + display);
}

}  // namespace

bool VexQtIsDisplayAvailable() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland && *wayland && WaylandAnswers(wayland)) return true;
  const char* x = std::getenv("DISPLAY");
  return x && *x && XDisplayAnswers(x);
}

// Xvfb picks a free display number itself and writes it to the descriptor given with
// -displayfd once it accepts connections.
VexQtVirtualDisplay::VexQtVirtualDisplay() {
  if (const char* former = std::getenv("DISPLAY")) {
    hadDisplay_ = true;
    formerDisplay_ = former;
  }
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("cannot start Xvfb: no pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 3);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> arguments = {"Xvfb", "-displayfd", "3", "-screen", "0", "1600x1000x24",
                                        "-nolisten", "tcp", "-noreset"};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  int status = ::posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (status != 0) {
    ::close(pipeFds[0]);
    throw std::runtime_error("cannot start Xvfb (is the package xvfb installed?)");
  }
  std::string number;
  pollfd wait{pipeFds[0], POLLIN, 0};
  char c;
  while (::poll(&wait, 1, 10000) > 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(pipeFds[0]);
  if (number.empty()) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    throw std::runtime_error("Xvfb did not start");
  }
  name_ = ":" + number;
  ::setenv("DISPLAY", name_.c_str(), 1);
}

VexQtVirtualDisplay::~VexQtVirtualDisplay() {
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
  if (hadDisplay_) {
    ::setenv("DISPLAY", formerDisplay_.c_str(), 1);
  } else {
    ::unsetenv("DISPLAY");
  }
}
