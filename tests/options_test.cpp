#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options.h"
#include "terrain/random.h"

TEST(Options, OwnOptionsReadToolkitOptionsPassMisusesSaid)
{
    const struct {
        std::vector<std::string> args;
        Options::Action action;
        long long at;
        std::string exportto, toolkit, problem;  // toolkit: the arguments glutInit gets, after the name
    } cases[] = {
        {{}, Options::fly, -1, "", "", ""},
        {{"--at", "0", "--export=a.glb"}, Options::fly, 0, "a.glb", "", ""},
        {{"--at=253402300799", "-display", ":1", "-iconic"}, Options::fly, 253402300799, "", "-display :1 -iconic ", ""},
        {{"--export", "x.png", "-geometry", "10x10+0+0"}, Options::fly, -1, "x.png", "-geometry 10x10+0+0 ", ""},
        {{"--version"}, Options::version, -1, "", "", ""},
        {{"--version", "--help"}, Options::help, -1, "", "", ""},
        {{"--at", "253402300800"}, Options::misuse, -1, "", "", "--at takes a whole second"},
        {{"--at"}, Options::misuse, -1, "", "", "--at needs a second"},
        {{"--at", "-5"}, Options::misuse, -1, "", "", "not '-5'"},
        {{"--at", "1e9"}, Options::misuse, -1, "", "", "not '1e9'"},
        {{"--at", " 5"}, Options::misuse, -1, "", "", "not ' 5'"},
        {{"--at", "0000000000001"}, Options::misuse, -1, "", "", "not '0000000000001'"},
        {{"--export"}, Options::misuse, -1, "", "", "--export needs a file name"},
        {{"--attack"}, Options::misuse, -1, "", "", "unknown option '--attack'"},
        {{"-x"}, Options::misuse, -1, "", "", "unknown option '-x'"},
        {{"flight"}, Options::misuse, -1, "", "", "unexpected argument 'flight'"},
    };
    for (const auto &c : cases) {
        std::vector<std::string> strings = c.args;
        strings.insert(strings.begin(), "vellmoor");
        std::vector<char *> argv;
        for (std::string &s : strings)
            argv.push_back(s.data());
        const Options o = ReadOptions(int(argv.size()), argv.data());
        const std::string said = c.args.empty() ? "" : c.args[0];
        EXPECT_EQ(o.action, c.action) << said;
        EXPECT_NE(o.problem.find(c.problem), std::string::npos) << o.problem;
        if (c.action == Options::misuse)
            continue;
        EXPECT_EQ(o.at, c.at) << said;
        EXPECT_EQ(o.exportto, c.exportto) << said;
        std::string toolkit;
        for (std::size_t k = 1; k + 1 < o.toolkit.size(); ++k)
            toolkit += std::string(o.toolkit[k]) + " ";
        EXPECT_EQ(toolkit, c.toolkit) << said;
        EXPECT_EQ(o.toolkit.front(), argv[0]);
        EXPECT_EQ(o.toolkit.back(), nullptr);
    }
}

// musl's rand() after srand(s), worked out with whole numbers of any size:
// state = s - 1 (as an unsigned int), then state * 6364136223846793005 + 1
// modulo 2^64, drawing its top 31 bits.
TEST(Random, ANamedSecondDrawsAsTheWebBuildsCLibrary)
{
    const struct { long long second; int draws[3]; } cases[] = {
        {1, {0, 740882966, 1616430695}},
        {0, {2049033599, 2025915578, 1407788582}},
        {253402300799, {283495284, 1804331198, 639319046}},
    };
    for (const auto &c : cases) {
        SeedLandscapeAt(c.second);
        for (int draw : c.draws)
            EXPECT_EQ(DrawRandom(), draw) << c.second;
    }
    SeedLandscape(7);  // a plain start: the C library's own again
    const int first = DrawRandom();
    srand(7);
    EXPECT_EQ(first, rand());
}
