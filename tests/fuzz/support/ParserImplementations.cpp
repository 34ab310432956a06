// The .obj reader compiled into the fuzz targets from its header, in place of the system's
// prebuilt library, so that coverage and the sanitizers reach it.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
