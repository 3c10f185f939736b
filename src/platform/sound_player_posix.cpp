#include "platform/sound_player.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace kveld {

SoundPlayer::SoundPlayer(std::vector<std::string> command) : command_(std::move(command)) {}

SoundPlayer::~SoundPlayer() { stop(); }

void SoundPlayer::reap() {
  std::erase_if(cut_, [](int pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
  // Once waited for, its id may be given to another process: not one to kill.
  if (pid_ != 0 && waitpid(pid_, nullptr, WNOHANG) != 0) pid_ = 0;
}

void SoundPlayer::stop() {
  if (pid_ != 0) {
    kill(pid_, SIGKILL);
    cut_.push_back(pid_);
    pid_ = 0;
  }
  reap();  // a player just killed may take a moment; it is waited for later
}

bool SoundPlayer::play(std::string_view wave) {
  stop();
  // A socket rather than a pipe: sending to a player that has already
  // ended then fails quietly instead of raising SIGPIPE.
  int fds[2];
  if (command_.empty() || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return false;
  int size = static_cast<int>(std::min<std::size_t>(wave.size(), 1 << 22) * 2);
  setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &size, sizeof size);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  std::vector<char*> argv;
  for (std::string& a : command_) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (failed != 0) {
    close(fds[0]);
    return false;
  }
  pid_ = pid;
  // The sounds fit the socket's buffer; whatever would have to wait for the
  // player is dropped instead, cutting the sound short.
  while (!wave.empty()) {
    const ssize_t sent = send(fds[0], wave.data(), wave.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) break;
    wave.remove_prefix(static_cast<std::size_t>(sent));
  }
  close(fds[0]);
  return true;
}

namespace {

bool onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  for (std::size_t start = 0; start <= dirs.size();) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
    if (access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

bool hasAudioOutput() {
  if (DIR* dir = opendir("/dev/snd")) {  // ALSA playback devices: pcmC<card>D<device>p
    bool found = false;
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      found = found || (name.rfind("pcmC", 0) == 0 && name.back() == 'p');
    }
    closedir(dir);
    if (found) return true;
  }
  if (std::getenv("PULSE_SERVER")) return true;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime) return false;
  const std::string base = runtime;
  return access((base + "/pulse/native").c_str(), F_OK) == 0 || access((base + "/pipewire-0").c_str(), F_OK) == 0;
}

}  // namespace

std::optional<std::vector<std::string>> findSoundPlayer() {
  if (!onPath("aplay") || !hasAudioOutput()) return std::nullopt;
  return std::vector<std::string>{"aplay", "-q", "-"};
}

}  // namespace kveld
