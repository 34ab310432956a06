#pragma once
// Numbers as little-endian bytes whatever the machine, so that a demo written on one reads on
// another and a state's hash means the same everywhere. Floating-point values go by their bits, a
// flag as one byte 0 or 1.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace LittleEndian {

template <typename T>
concept Number = std::is_arithmetic_v<T> &&
    (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);

/// The unsigned integer as wide as T, which carries its bits.
template <typename T>
using Bits =
    std::conditional_t<sizeof(T) == 1, std::uint8_t,
                       std::conditional_t<sizeof(T) == 2, std::uint16_t,
                                          std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;

template <Number T> std::array<unsigned char, sizeof(T)> Bytes(T value) {
    const auto bits = std::bit_cast<Bits<T>>(value);
    std::array<unsigned char, sizeof(T)> bytes{};
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    return bytes;
}

/// The value whose bytes `bytes` (sizeof(T) of them) are; a flag is true for any byte but 0.
template <Number T> T Value(const unsigned char* bytes) {
    Bits<T> bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits = static_cast<Bits<T>>(bits | static_cast<Bits<T>>(bytes[i]) << (8 * i));
    if constexpr (std::is_same_v<T, bool>)
        return bits != 0;
    else
        return std::bit_cast<T>(bits);
}

} // namespace LittleEndian
