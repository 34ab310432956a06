#include "core/Random.h"

#include <cstdlib>

namespace {
std::uint64_t draws = 0;
} // namespace

int Random() {
    ++draws;
    return std::rand() % (kRandomMax + 1);
}

std::uint64_t RandomDraws() {
    return draws;
}
