#include "platform/sound_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kveld {
namespace {

std::uint32_t le(std::string_view d, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = v * 256 + static_cast<std::uint8_t>(d[at + static_cast<std::size_t>(i)]);
  return v;
}

// Both sounds are PCM, mono, 22,050 samples a second, 16 bits, of the
// stated lengths.
TEST(SoundData, BuiltInWavesHaveTheirFormatAndLength) {
  for (auto [name, samples] : {std::pair{"beep2", 8544u}, std::pair{"notify2", 5494u}}) {
    const std::string_view w = soundWave(name);
    ASSERT_GE(w.size(), 44u) << name;
    EXPECT_EQ(w.substr(0, 4), "RIFF");
    EXPECT_EQ(w.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(le(w, 20, 2), 1u);      // PCM
    EXPECT_EQ(le(w, 22, 2), 1u);      // mono
    EXPECT_EQ(le(w, 24, 4), 22050u);  // rate
    EXPECT_EQ(le(w, 34, 2), 16u);     // bits
    EXPECT_EQ(w.substr(36, 4), "data");
    EXPECT_EQ(le(w, 40, 4), samples * 2) << name;
    EXPECT_EQ(w.size(), 44u + samples * 2);
  }
  EXPECT_TRUE(soundWave("unknown").empty());
}

}  // namespace
}  // namespace kveld
