#pragma once

#include <cstdint>

#include "core/draw_archive.h"

namespace vetrilo {

// A synthetic archive that looks like the real thing: draws numbered from 1,
// four distinct numbers in random drawing order, a bonus ball, dates twice a
// week from 07/04/2014. The same seed always gives the same draws.
TDrawsArray MakeDemoDraws(int count, uint64_t seed);

}  // namespace vetrilo
