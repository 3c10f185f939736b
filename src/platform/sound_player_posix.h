#pragma once
// Playing the program's WAVE sounds on POSIX systems through an outside
// player program (no shell). The data reach the player on its standard
// input, so nothing is written to disk, and a sound never waits for it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kveld {

class SoundPlayer {
 public:
  // `command`: the player and its arguments; it reads the WAVE data from its
  // standard input. Its output is discarded.
  explicit SoundPlayer(std::vector<std::string> command);
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Cuts the sound playing and starts `wave`; returns at once. False when
  // the player could not be started.
  bool play(std::string_view wave);
  // Cuts the sound playing.
  void stop();
  // The process id of the player started last; 0 when none plays.
  int playerId() const { return pid_; }
  // Waits for the players that have ended, the one playing included once it
  // has ended, so that none stays behind as a zombie; returns at once.
  void reap();
  // Whether a player is yet to be waited for.
  bool unreaped() const { return pid_ != 0 || !cut_.empty(); }

 private:
  std::vector<std::string> command_;
  int pid_ = 0;
  std::vector<int> cut_;  // players stopped but not yet waited for
};

// This machine's player: ALSA's "aplay" when it is on the PATH and there is
// an audio output to play on (a sound card, or a PulseAudio or PipeWire
// server); none otherwise.
std::optional<std::vector<std::string>> findSoundPlayer();

}  // namespace kveld
