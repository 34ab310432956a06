// The image decoder compiled into the fuzz targets from its header, in place of the system's
// prebuilt library, so that coverage and the sanitizers reach it. This file alone is built
// without the array-bounds and signed-overflow checks: the JPEG decoder's Huffman set-up reads the
// entry just past its 257 code lengths, which lies inside the same table structure, and the PNM
// header reader lets a long number overflow an int; its Huffman decode reads one entry past a
// bit-mask table, which ImageDecoder.ignorelist leaves without red zones. That is the library the
// game runs, not ours to change, and the address sanitizer still watches every other byte.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
