#pragma once
// The landscape's random draws. A plain start draws from the C library's
// rand(), seeded with the clock's second. A second the user names (--at, and
// every start of the page) draws from the generator of the web build's C
// library instead, written out here, so that one second gives one landscape
// in every build.

constexpr long long lastsecond = 253402300799;  // 9999-12-31 23:59:59 UTC, the latest second taken

extern long long landscapesecond;  // seconds since 1970, UTC, that seeded the landscape
extern bool secondnamed;           // the second was named: the landscape can be built again from it

// Seeds the C library's generator with the second (srand), for a plain start.
void SeedLandscape(long long second);

// Seeds the portable generator with a named second.
void SeedLandscapeAt(long long second);

// One draw from the seeded generator: 0 to 2^31 - 1.
int DrawRandom();
