#pragma once
// The renderers the chooser may take, as each build offers them: the rows
// of its table, tried in order.
#include <span>

struct Renderer;

struct Candidate {
    bool (*asked)();                        // whether the user's settings have it tried; null: always
    bool (*possible)(const char *version);  // whether a context of this GL_VERSION may run it; null: any, asking nothing
    const Renderer *renderer;               // started, and used where it starts
    const char *otherwise;                  // the console's line where it was tried and did not start; null: none
};

// The build's candidates, in the order tried. Where none starts, the chooser
// falls back on a renderer that draws nothing.
std::span<const Candidate> Candidates();
