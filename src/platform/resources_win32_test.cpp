// The resources of the built kveld.exe (beside this test program): the two
// sounds that PlaySound plays from there, and the icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sound_data.h"

namespace kveld {
namespace {

std::wstring programBesideTests() {
  std::vector<wchar_t> path(MAX_PATH * 4);
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring p(path.data(), n);
  return p.substr(0, p.find_last_of(L"\\/") + 1) + L"kveld.exe";
}

std::uint32_t le(std::string_view d, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = v * 256 + static_cast<std::uint8_t>(d[at + static_cast<std::size_t>(i)]);
  return v;
}

// The format of a WAVE file, read by its chunks (not by fixed offsets).
struct WaveFormat {
  bool ok = false;
  std::uint32_t format = 0, channels = 0, rate = 0, bits = 0, samples = 0;
};

WaveFormat readWave(std::string_view w) {
  WaveFormat f;
  if (w.size() < 12 || w.substr(0, 4) != "RIFF" || w.substr(8, 4) != "WAVE") return f;
  if (le(w, 4, 4) + 8 != w.size()) return f;
  bool haveFormat = false, haveData = false;
  std::size_t at = 12;
  while (at + 8 <= w.size()) {
    const std::string_view id = w.substr(at, 4);
    const std::uint32_t size = le(w, at + 4, 4);
    if (at + 8 + size > w.size()) return f;
    if (id == "fmt " && size >= 16) {
      f.format = le(w, at + 8, 2);
      f.channels = le(w, at + 10, 2);
      f.rate = le(w, at + 12, 4);
      f.bits = le(w, at + 22, 2);
      haveFormat = true;
    } else if (id == "data" && haveFormat && f.channels != 0 && f.bits != 0) {
      f.samples = size / (f.channels * f.bits / 8);
      haveData = true;
    }
    at += 8 + size + (size & 1);
  }
  f.ok = haveFormat && haveData;
  return f;
}

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(programBesideTests().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "kveld.exe not found beside the tests, error " << GetLastError();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  std::string_view resource(const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(module_, name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    if (loaded == nullptr) return {};
    return {static_cast<const char*>(LockResource(loaded)), SizeofResource(module_, found)};
  }
  HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, SoundsArePcmMono22050Hz16BitOfTheirLengths) {
  const struct {
    const wchar_t* resourceName;
    const char* soundName;
    std::uint32_t samples;
  } sounds[] = {{L"BEEP2", "beep2", 8544}, {L"NOTIFY2", "notify2", 5494}};
  for (const auto& s : sounds) {
    const std::string_view data = resource(s.resourceName, L"WAVE");
    ASSERT_FALSE(data.empty()) << s.soundName;
    const WaveFormat f = readWave(data);
    ASSERT_TRUE(f.ok) << s.soundName;
    EXPECT_EQ(f.format, 1u) << s.soundName;  // PCM
    EXPECT_EQ(f.channels, 1u) << s.soundName;
    EXPECT_EQ(f.rate, 22050u) << s.soundName;
    EXPECT_EQ(f.bits, 16u) << s.soundName;
    EXPECT_EQ(f.samples, s.samples) << s.soundName;
    // The very sound that the other builds carry.
    EXPECT_EQ(data, soundWave(s.soundName)) << s.soundName;
  }
}

TEST_F(ProgramResources, ProgramHasAnIcon) {
  HRSRC group = FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  HGLOBAL loaded = LoadResource(module_, group);
  ASSERT_NE(loaded, nullptr);
  const auto* dir = static_cast<const std::uint8_t*>(LockResource(loaded));
  const DWORD size = SizeofResource(module_, group);
  ASSERT_GE(size, 6u);
  const unsigned count = dir[4] + 256u * dir[5];
  ASSERT_GE(count, 1u);
  ASSERT_GE(size, 6u + 14u * count);
  // Each entry names an icon image that is in the program as well.
  for (unsigned i = 0; i < count; ++i) {
    const std::uint8_t* entry = dir + 6 + 14 * i;
    const unsigned id = entry[12] + 256u * entry[13];
    EXPECT_NE(FindResourceW(module_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3)), nullptr) << id;  // RT_ICON
  }
}

TEST(WaveReader, RejectsBrokenFiles) {
  const std::string_view good = soundWave("beep2");
  ASSERT_TRUE(readWave(good).ok);
  EXPECT_FALSE(readWave(good.substr(0, good.size() - 1)).ok);  // shorter than its RIFF size
  EXPECT_FALSE(readWave(good.substr(0, 11)).ok);
  std::string noData(good.substr(0, 36));
  noData[4] = 28;  // RIFF size of the header alone
  noData[5] = noData[6] = noData[7] = 0;
  EXPECT_FALSE(readWave(noData).ok);
}

}  // namespace
}  // namespace kveld
