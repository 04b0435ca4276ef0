#pragma once
// The command line: the program's own options (two dashes), and the
// toolkit's (one dash), which pass through to glutInit untouched.
#include <iosfwd>
#include <string>
#include <vector>

struct Options {
    enum Action { fly, help, version, misuse } action = fly;
    long long at = -1;           // the named second (--at); -1 when none
    std::string exportto;        // the file --export names; empty when none
    std::string problem;         // for misuse: what was wrong, in a few words
    std::vector<char *> toolkit; // the program's name and the toolkit's options, then a null
};

// Reads argv; the strings stay argv's.
Options ReadOptions(int argc, char **argv);

// A whole second from 0 to 253402300799, in decimal digits only, at most 12
// (the page's rule for its #at=); false for anything else.
bool ParseSecond(const std::string &text, long long &second);

// --help's text, and the line a misuse gets.
void PrintHelp(std::ostream &out);
void PrintMisuse(std::ostream &out, const std::string &problem);
