#include "terrain/texture.h"

#include <iostream>
#include <istream>
#include <memory>
#include <streambuf>
#include <utility>

#include "platform/platform.h"
#include "terrain/ramp.h"

RampTaker ramptaker;  // see texture.h

namespace {

Ramp kept;       // the last ramp read, for the landscape written out
bool keptramp;   // LoadTexture read one

// Opens colours.txt if it is a regular file, or says on the console why not;
// null on failure.
std::unique_ptr<std::streambuf> OpenRamp(const char *path)
{
    OpenedFile f = OpenRegularFile(path);
    if (f.kind)
        std::cout << "colours.txt is " << f.kind << ", not a regular file" << std::endl;
    else if (!f.in)
        std::cout << "Where's colours.txt?!" << std::endl;
    return std::move(f.in);
}

void HandOn(const Ramp *ramp)
{
    if (ramptaker.take)
        ramptaker.take(ramp);
}

}  // namespace

void LoadTexture()
{
    const long widest = ramptaker.widest ? ramptaker.widest() : 0;
    std::cout << "\nGetting colours.txt.." << std::flush;
    std::unique_ptr<std::streambuf> file = OpenRamp("colours.txt");
    if (!file) {
        keptramp = false;
        HandOn(nullptr);
        return;
    }
    std::cout << "Got it!" << std::endl;
    Ramp ramp;
    std::istream in(file.get());
    const bool ok = ReadRamp(in, RampLimit(widest), std::cout, ramp);
    file.reset();  // closed before any GL call
    keptramp = ok;
    if (ok)
        kept = ramp;
    HandOn(ok ? &ramp : nullptr);
}

const Ramp *LastRamp()
{
    return keptramp ? &kept : nullptr;
}
