// The texture decoder on arbitrary bytes: whatever it accepts must hold every pixel it claims.
#include "render/Texture.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string problem;
    const DecodedImage image = DecodeImage(data, size, problem);
    if (!image.pixels) {
        if (problem.empty())
            __builtin_trap();
        return 0;
    }
    if (image.width <= 0 || image.height <= 0 || image.channels < 1 || image.channels > 4)
        __builtin_trap();
    // The last byte an upload would read: the address sanitizer checks it lies inside.
    const std::size_t bytes = static_cast<std::size_t>(image.width) * image.height * image.channels;
    volatile unsigned char last = image.pixels.get()[bytes - 1];
    (void)last;
    return 0;
}
