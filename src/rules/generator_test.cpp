#include "rules/generator.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/set_values.h"

namespace kveld {
namespace {

struct SeedCase {
  const char* name;
  SetParameters params;
  int seed;
  std::uint32_t pattern;
  std::uint32_t afterSeedStep;
  int skip;
  std::uint32_t beforeBoardOne;
};

TEST(Seeding, WorkedExamples) {
  const SeedCase cases[] = {
      {"A: 1000100006", setOf(1, 1, 1, 1, 0), -32021, 0xC6FA2A00u, 0x308AD201u, 0, 0x308AD201u},
      {"B: 0102230455", setOf(14, 9, 9, 2, 1234), -21837, 0xC6AA9A00u, 0xA8BD0201u, 11234, 0x8EA835BFu},
  };
  for (const SeedCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(seedValue(c.params), c.seed);
    EXPECT_EQ(seedPattern(seedValue(c.params)), c.pattern);
    EXPECT_EQ(generatorStep(c.pattern), c.afterSeedStep);
    EXPECT_EQ(skipCount(c.params), c.skip);
    EXPECT_EQ(seededState(c.params), c.beforeBoardOne);
  }
}

TEST(Seeding, SeedIsOddAndNegativeForEveryDate) {
  // Day 0 of January (year 2, t = 365) to May 17 of year 28 (day count 9999).
  for (int year = 1; year <= 28; ++year)
    for (int month = 1; month <= 12; ++month)
      for (int day = 0; day <= 31; ++day) {
        const int x = seedValue(setOf(year, month, day));
        ASSERT_LT(x, 0);
        ASSERT_GE(x, -32767);
        ASSERT_EQ((x + 32768) % 2, 1);
      }
  // The smallest and largest V that the dates give: 745 and 21115.
  EXPECT_EQ(seedValue(setOf(1, 1, 0)), 745 - 32768);
  EXPECT_EQ(seedValue(setOf(28, 5, 17)), 21115 - 32768);
}

TEST(Seeding, SkipCountWrapsAtSixteenBits) {
  struct Case {
    int session, offset, skip;
  };
  const Case cases[] = {
      {0, 0, -10000},   {0, 9999, -1},    {1, 0, 0},         {1, 9999, 9999},          {2, 1234, 11234},
      {3, 9999, 29999}, {4, 2767, 32767}, {4, 2768, -32768}, {4, 9999, 39999 - 65536},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "session " << c.session << " offset " << c.offset);
    EXPECT_EQ(skipCount(setOf(1, 1, 1, c.session, c.offset)), c.skip);
  }
}

TEST(Seeding, NothingIsDiscardedForSessionZeroOrAWrappedSkip) {
  const std::uint32_t unskipped = generatorStep(seedPattern(seedValue(setOf(3, 7, 14))));
  for (const SetParameters& p :
       {setOf(3, 7, 14, 0, 0), setOf(3, 7, 14, 0, 9999), setOf(3, 7, 14, 1, 0), setOf(3, 7, 14, 4, 2768),
        setOf(3, 7, 14, 4, 5000), setOf(3, 7, 14, 4, 9999)})
    EXPECT_EQ(seededState(p), unskipped) << "session " << p.sessionNumber << " offset " << p.dealOffset;
}

TEST(Seeding, LargestSkipDiscards32767Values) {
  std::uint32_t state = seededState(setOf(3, 7, 14, 1, 0));
  for (int i = 1; i <= 32767; ++i) {
    state = generatorStep(state);
    if (i == 32766) {
      EXPECT_EQ(seededState(setOf(3, 7, 14, 4, 2766)), state);
    }
  }
  EXPECT_EQ(seededState(setOf(3, 7, 14, 4, 2767)), state);
}

TEST(Generator, JumpEqualsSteppingForEverySkipTheSeedingMakes) {
  // From several starting states, so that no bit pattern of the state can
  // hide a wrong multiplier or increment in the composed jump.
  for (const std::uint32_t start : {0x00000000u, 0x308AD201u, 0xA8BD0201u, 0xFFFFFFFFu, 0x80000001u}) {
    std::uint32_t stepped = start;
    for (std::uint32_t skip = 0; skip <= 32767; ++skip) {
      ASSERT_EQ(generatorJump(start, skip), stepped)
          << std::hex << "start " << start << std::dec << " skip " << skip;
      stepped = generatorStep(stepped);
    }
  }
  // Past the seeding's range the jump still composes: 2^32 steps is the
  // generator's full period and brings every state back.
  EXPECT_EQ(generatorJump(generatorJump(0x12345678u, 0x80000000u), 0x80000000u), 0x12345678u);
  static_assert(generatorJump(0x308AD201u, 1) == 0x1F069E06u);
}

TEST(Generator, FirstSixDrawsOfExampleA) {
  struct Draw {
    std::uint32_t state;
    int n, position;
  };
  const Draw draws[] = {{0x1F069E06u, 51, 6},  {0x24CC2E1Fu, 50, 7},  {0x68BCE29Cu, 49, 20},
                        {0x6568DD0Du, 48, 19}, {0x5D6F0542u, 47, 17}, {0x4BF1224Bu, 46, 13}};
  Generator generator(0x308AD201u);
  for (const Draw& d : draws) {
    EXPECT_EQ(generator.draw(d.n), d.position) << "n = " << d.n;
    EXPECT_EQ(generator.state(), d.state) << "n = " << d.n;
  }
}

TEST(Generator, PositionUsesTheHigh31BitsExactly) {
  struct Case {
    std::uint32_t state;
    int n, position;
  };
  const Case cases[] = {
      {0x00000000u, 51, 0},
      {0x00000001u, 51, 0},
      {0xFFFFFFFFu, 51, 51},
      {0xFFFFFFFFu, 0, 0},
      {0x80000000u, 1, 1},
      {0x7FFFFFFFu, 1, 0},
      {0x80000000u, 51, 26},
      {0x7FFFFFFFu, 51, 25},
      // Just below and exactly on the boundary between positions 0 and 1.
      {0x3FFFFFFFu, 3, 0},
      {0x40000000u, 3, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(positionFrom(c.state, c.n), c.position) << std::hex << c.state;
}

}  // namespace
}  // namespace kveld
