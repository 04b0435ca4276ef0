// Where the program has a window of its own, long work holds nothing else
// up: it goes on without waiting (web.cpp waits for the page's frames).
#include "platform/platform.h"

void YieldToPage(int) {}
