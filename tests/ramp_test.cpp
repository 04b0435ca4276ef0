#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <sstream>
#include <string>

#include "terrain/ramp.h"

namespace {

constexpr unsigned glmax = 16384;

struct Read {
    bool ok;
    std::string text;
    Ramp ramp;
};

Read ReadText(const std::string &file, unsigned maxwidth = glmax)
{
    std::istringstream in(file);
    std::ostringstream out;
    Read r;
    r.ok = ReadRamp(in, maxwidth, out, r.ramp);
    r.text = out.str();
    return r;
}

std::string Samples(int n)
{
    std::string s;
    for (int k = 1; k <= n; ++k) {
        s += ' ';  // piece by piece: GCC 12 at -O3 wrongly warns of an overlapping copy in " " + a string
        s += std::to_string(k);
        s += ".5";
    }
    return s;
}

}  // namespace

TEST(NearestPowerOf2, RoundsDownAndGivesZeroOutsideItsRange)
{
    EXPECT_EQ(nearest_power_of_2(0), 0u);
    EXPECT_EQ(nearest_power_of_2(1), 1u);
    EXPECT_EQ(nearest_power_of_2(2), 2u);
    EXPECT_EQ(nearest_power_of_2(3), 2u);
    EXPECT_EQ(nearest_power_of_2(100), 64u);
    EXPECT_EQ(nearest_power_of_2(256), 256u);
    EXPECT_EQ(nearest_power_of_2(257), 256u);
    EXPECT_EQ(nearest_power_of_2(0x80000000u), 0x80000000u);
    EXPECT_EQ(nearest_power_of_2(0x80000001u), 0u);
    EXPECT_EQ(nearest_power_of_2(0xffffffffu), 0u);
    EXPECT_EQ(nearest_power_of_2(unsigned(INT_MIN)), 0x80000000u);
    EXPECT_EQ(nearest_power_of_2(unsigned(-5)), 0u);
}

TEST(ReadRamp, EchoesRoundedWidthClampedComponentsAndCount)
{
    const Read r = ReadText("256 3" + Samples(768));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "256 3\n768");
    EXPECT_EQ(r.ramp.width, 256u);
    EXPECT_EQ(r.ramp.components, 3);
    ASSERT_EQ(r.ramp.samples.size(), 768u);
    EXPECT_EQ(r.ramp.samples.front(), 1.5f);
    EXPECT_EQ(r.ramp.samples.back(), 768.5f);
}

TEST(ReadRamp, WidthFiveUsesFourTexelsAndIgnoresTheRest)
{
    const Read r = ReadText("5 3\n" + Samples(15));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "4 3\n12");
    ASSERT_EQ(r.ramp.samples.size(), 12u);
    EXPECT_EQ(r.ramp.samples[11], 12.5f);
}

TEST(ReadRamp, ComponentsAreClampedToOneToFour)
{
    Read r = ReadText("2 0" + Samples(2));
    EXPECT_EQ(r.text, "2 1\n2");
    EXPECT_EQ(r.ramp.components, 1);
    r = ReadText("2 -9" + Samples(2));
    EXPECT_EQ(r.ramp.components, 1);
    r = ReadText("2 7" + Samples(8));
    EXPECT_EQ(r.text, "2 4\n8");
    EXPECT_EQ(r.ramp.components, 4);
    EXPECT_EQ(r.ramp.samples[7], 8.5f);
}

TEST(ReadRamp, ZeroAndNegativeWidthsGiveAnEmptyRamp)
{
    for (const char *file : {"0 3", "-7 3", "-1 3 1 2 3"}) {
        const Read r = ReadText(file);
        EXPECT_TRUE(r.ok) << file;
        EXPECT_EQ(r.text, "0 3\n0") << file;
        EXPECT_TRUE(r.ramp.samples.empty()) << file;
    }
}

TEST(ReadRamp, UnreadableHeaderIsOneLineAndNoRamp)
{
    for (const char *file : {"", "abc 3", "256", "256 x", "2147483648 3", "4294967296 3"}) {
        const Read r = ReadText(file);
        EXPECT_FALSE(r.ok) << file;
        EXPECT_EQ(r.text, "colours.txt does not start with two integers (width, components)\n")
            << file;
        EXPECT_TRUE(r.ramp.samples.empty()) << file;
    }
}

TEST(ReadRamp, WidthBeyondTheGlLimitIsRefusedBeforeAllocating)
{
    Read r = ReadText("268435456 4");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, "colours.txt asks for 268435456 texels, more than the 16384 this GL allows\n");
    EXPECT_TRUE(r.ramp.samples.empty());
    EXPECT_EQ(r.ramp.width, 0u);
    // The most negative int is 2^31 as unsigned: far too wide, and no overflow.
    r = ReadText("-2147483648 4");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text,
              "colours.txt asks for 2147483648 texels, more than the 16384 this GL allows\n");
    r = ReadText("8 1", 4);
    EXPECT_FALSE(r.ok);
    r = ReadText("4 1 0 0 0 0", 4);
    EXPECT_TRUE(r.ok);
    // A failed size query (below GL's least maximum, 64) caps at 65,536, as does a larger answer.
    for (auto [answer, limit] : {std::pair{0L, 65536u}, {-1L, 65536u}, {1L, 65536u}, {63L, 65536u},
                                 {64L, 64u}, {16384L, 16384u}, {1L << 20, 65536u}})
        EXPECT_EQ(RampLimit(answer), limit) << answer;
}

TEST(ReadRamp, ShortFileFillsWithZeroAndSaysHowManyWereRead)
{
    Read r = ReadText("4 3 0.5 0.25 1");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "4 3\n12\nOnly 3 of 12 samples in colours.txt, the rest are 0\n");
    ASSERT_EQ(r.ramp.samples.size(), 12u);
    EXPECT_EQ(r.ramp.samples[2], 1.0f);
    for (int k = 3; k < 12; ++k)
        EXPECT_EQ(r.ramp.samples[k], 0.0f);

    // A bad number halfway stops the reading there too.
    r = ReadText("2 2 1 2 x 4");
    EXPECT_EQ(r.text, "2 2\n4\nOnly 2 of 4 samples in colours.txt, the rest are 0\n");
    EXPECT_EQ(r.ramp.samples[3], 0.0f);
}

TEST(ReadRamp, LineEndsAndExponentsAreOrdinaryNumbers)
{
    const Read r = ReadText("2\r\n3\r\n1e-1 2.5E0 -0\r\n0.1e1 .5 3e-2\r\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "2 3\n6");
    EXPECT_FLOAT_EQ(r.ramp.samples[0], 0.1f);
    EXPECT_FLOAT_EQ(r.ramp.samples[1], 2.5f);
    EXPECT_FLOAT_EQ(r.ramp.samples[3], 1.0f);
    EXPECT_FLOAT_EQ(r.ramp.samples[5], 0.03f);
}

TEST(RampBytes, ClampedScaledAndRoundedToTheNearestByte)
{
    Ramp r;
    r.samples = {0, 1, 0.5f, 0.2f, 1.0f / 255 * 0.49f, -3, 7, std::numeric_limits<float>::infinity(),
                 std::numeric_limits<float>::quiet_NaN()};
    const std::vector<unsigned char> want = {0, 255, 128, 51, 0, 0, 255, 255, 0};
    EXPECT_EQ(RampBytes(r), want);
}
