#include "core/Random.h"

#include <cstdlib>

int Random() {
    return std::rand() % (kRandomMax + 1);
}
