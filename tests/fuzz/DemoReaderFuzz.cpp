// Feeds arbitrary bytes to the demo reader: whatever a file holds, reading it must end in a
// verdict, never a crash, an overflow or an allocation the file merely asks for.
#include "app/DemoReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DemoSummary summary = ReadWholeDemo(data, size);
    // A sound demo and a refused one both end here; a refusal always says why.
    if (summary.problem != DemoProblem::None && summary.message.empty())
        __builtin_trap();
    return 0;
}
