#include "options.h"

#include <cstring>
#include <ostream>

#include "terrain/random.h"

namespace {

// freeglut's own options: those that take a value, and those that do not.
const char *const toolkitvalued[] = {"-display", "-geometry"};
const char *const toolkitflags[] = {"-direct", "-indirect", "-iconic", "-gldebug", "-sync"};

template <std::size_t n>
bool Among(const char *arg, const char *const (&names)[n])
{
    for (const char *name : names)
        if (std::strcmp(arg, name) == 0)
            return true;
    return false;
}

// "--name VALUE" or "--name=VALUE": true when arg is the option, with its
// value (null when it is missing).
bool Takes(const char *name, int argc, char **argv, int &k, const char *&value)
{
    const std::size_t n = std::strlen(name);
    if (std::strncmp(argv[k], name, n) != 0)
        return false;
    if (argv[k][n] == '=')
        value = argv[k] + n + 1;
    else if (argv[k][n] != '\0')
        return false;
    else
        value = k + 1 < argc ? argv[++k] : nullptr;
    return true;
}

Options Misuse(const std::string &problem)
{
    Options o;
    o.action = Options::misuse;
    o.problem = problem;
    return o;
}

}  // namespace

bool ParseSecond(const std::string &text, long long &second)
{
    constexpr std::size_t mostdigits = 12;
    if (text.empty() || text.size() > mostdigits || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long long s = std::stoll(text);
    if (s > lastsecond)
        return false;
    second = s;
    return true;
}

Options ReadOptions(int argc, char **argv)
{
    Options o;
    o.toolkit.push_back(argc > 0 ? argv[0] : nullptr);
    for (int k = 1; k < argc; ++k) {
        const char *arg = argv[k], *value = nullptr;
        if (std::strcmp(arg, "--help") == 0)
            o.action = Options::help;
        else if (std::strcmp(arg, "--version") == 0 && o.action != Options::help)
            o.action = Options::version;
        else if (Takes("--at", argc, argv, k, value)) {
            if (!value)
                return Misuse("--at needs a second");
            if (!ParseSecond(value, o.at))
                return Misuse("--at takes a whole second from 0 to " + std::to_string(lastsecond) + ", not '" +
                              std::string(value).substr(0, 40) + "'");
        } else if (Takes("--export", argc, argv, k, value)) {
            if (!value || !*value)
                return Misuse("--export needs a file name");
            o.exportto = value;
        } else if (Among(arg, toolkitvalued) && k + 1 < argc) {
            o.toolkit.push_back(argv[k]);
            o.toolkit.push_back(argv[++k]);
        } else if (Among(arg, toolkitflags))
            o.toolkit.push_back(argv[k]);
        else
            return Misuse(std::string(arg[0] == '-' ? "unknown option '" : "unexpected argument '") +
                          std::string(arg).substr(0, 40) + "'");
    }
    o.toolkit.push_back(nullptr);
    return o;
}

void PrintHelp(std::ostream &out)
{
    out << "Usage: vellmoor [--at SECONDS] [--export FILE] [GLUT options]\n"
           "Fly over a random landscape, built anew from the clock's second at each start.\n"
           "\n"
           "  --at SECONDS   the landscape of that second (whole seconds since 1970, UTC,\n"
           "                 0 to 253402300799): the same in every build and on the page\n"
           "  --export FILE  write the landscape to FILE and end, without a window; the\n"
           "                 ending picks the format: .glb (glTF 2.0 mesh), .png (16-bit\n"
           "                 greyscale height map) or .r16 (raw 16-bit heights)\n"
           "  --help         show this help and end\n"
           "  --version      show the version and end\n"
           "\n"
           "GLUT's options pass to the toolkit: -display DISPLAY, -geometry WxH+X+Y,\n"
           "-direct, -indirect, -iconic, -gldebug, -sync.\n"
           "While flying, F2 saves the landscape as vellmoor-SECONDS.glb in the working\n"
           "folder. The keys are in the manual page (man 6 vellmoor).\n"
        << std::flush;
}

void PrintMisuse(std::ostream &out, const std::string &problem)
{
    out << "vellmoor: " << problem
        << "; usage: vellmoor [--at SECONDS] [--export FILE] [--help] [--version] [GLUT options]" << std::endl;
}
