#include "platform/sound_player_posix.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "platform/sound_data.h"
#include "testing/temp_folder.h"

namespace kveld {
namespace {

// Waits up to five seconds for a child to end; true when it has (and has
// been waited for, here or by the player).
bool ends(int pid) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

bool running(int pid) { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }

TEST(SoundPlayer, PlayerReadsTheWholeSound) {
  TempFolder folder;
  const std::string out = (folder.path() / "played").string();
  for (const char* name : {"beep2", "notify2"}) {
    const std::string_view wave = soundWave(name);
    ASSERT_GT(wave.size(), 1000u);
    SoundPlayer player({"tee", out});
    ASSERT_TRUE(player.play(wave));
    ASSERT_TRUE(ends(player.playerId()));
    std::ifstream in(out, std::ios::binary);
    const std::string got{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(got, wave) << name;
  }
}

TEST(SoundPlayer, NewSoundCutsTheOneBefore) {
  SoundPlayer player({"sleep", "30"});
  ASSERT_TRUE(player.play("first"));
  const int first = player.playerId();
  ASSERT_TRUE(player.play("second"));
  const int second = player.playerId();
  EXPECT_NE(first, second);
  EXPECT_TRUE(ends(first));
  EXPECT_TRUE(running(second));
  player.stop();
  EXPECT_EQ(player.playerId(), 0);
  EXPECT_TRUE(ends(second));
}

TEST(SoundPlayer, EndOfTheProgramCutsTheSound) {
  int pid = 0;
  {
    SoundPlayer player({"sleep", "30"});
    ASSERT_TRUE(player.play("x"));
    pid = player.playerId();
  }
  EXPECT_TRUE(ends(pid));
}

TEST(SoundPlayer, NeverWaitsForAPlayerThatDoesNotRead) {
  std::string big(8 << 20, '\0');
  std::mt19937 random(3);
  for (char& c : big) c = static_cast<char>(random());
  SoundPlayer player({"sleep", "30"});
  ASSERT_TRUE(player.play(big));  // would block until the player ends if it waited
  EXPECT_TRUE(running(player.playerId()));
}

TEST(SoundPlayer, MissingPlayerIsReported) {
  SoundPlayer player({"/nonexistent/kveld-player"});
  EXPECT_FALSE(player.play(soundWave("beep2")));
  EXPECT_EQ(player.playerId(), 0);
  SoundPlayer none({});
  EXPECT_FALSE(none.play("x"));
}

}  // namespace
}  // namespace kveld
