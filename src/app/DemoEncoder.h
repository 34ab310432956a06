#pragma once
// The demo writer: a game turned into bytes, record by record (the layout is in DemoFile.h).

#include "app/DemoFile.h"

#include <cstdint>
#include <string>

/// Writes format 2 (kDemoFormatVersion). Stateful: a frame stores its held actions and window
/// size only where they differ from what the reader already knows, and its turn only when it
/// turned.
class DemoEncoder {
public:
    std::string Header(const DemoHeader& header);
    std::string Frame(const DemoFrame& frame);
    std::string Checkpoint(const DemoCheckpoint& checkpoint);
    std::string End(const DemoEnd& end);

private:
    std::uint32_t held = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};
