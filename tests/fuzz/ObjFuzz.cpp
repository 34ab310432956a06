// The .obj path on arbitrary bytes: the model library's reader, then the game's layout of every
// face corner into mesh vertices.
#include "render/ObjGeometry.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tinyobj::ObjReader reader;
    // No material text: a "mtllib" line must not reach the file system.
    if (!reader.ParseFromString(text, std::string(), tinyobj::ObjReaderConfig()))
        return 0;
    const ObjGeometry geometry = FlattenObj(reader.GetAttrib(), reader.GetShapes());
    if (geometry.positions.size() != geometry.indices.size() ||
        geometry.normals.size() != geometry.indices.size() || geometry.uvs.size() != geometry.indices.size())
        __builtin_trap();
    return 0;
}
