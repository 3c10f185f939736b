#include "platform/sound_player_posix.h"

#include <dirent.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/spawn_posix.h"

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

  SpawnRequest request;
  request.argv = command_;
  request.searchPath = true;
  request.input = fds[1];
  request.quiet = true;
  pid_t pid = 0;
  const int failed = spawnProgram(request, pid);
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
  return access((base + "/pulse/native").c_str(), F_OK) == 0 ||
         access((base + "/pipewire-0").c_str(), F_OK) == 0;
}

}  // namespace

std::optional<std::vector<std::string>> findSoundPlayer() {
  if (findOnPath("aplay").empty() || !hasAudioOutput()) return std::nullopt;
  return std::vector<std::string>{"aplay", "-q", "-"};
}

}  // namespace kveld
