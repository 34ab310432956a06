#pragma once
// The demo reader: a demo's records read back from bytes in memory (the layout is in DemoFile.h).
// Every size is checked against both a sane limit and the bytes that are left before anything is
// allocated, so a damaged file cannot make it crash or ask for unbounded memory.

#include "app/DemoFile.h"
#include "core/InputMouseLook.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class DemoProblem {
    None,
    NotADemo,
    OtherVersion,
    /// Ends inside a record or without the end record: a recording that was cut short.
    Truncated,
    /// A size or value no recording can have.
    Damaged,
};

class DemoReader {
public:
    /// Reads from `data`, which must outlive the reader.
    DemoReader(const unsigned char* data, std::size_t size);
    /// The mouse look a format 1 demo was recorded with, which turns its cursor positions into
    /// turns (that format stored the cursor, and the recording's settings turned it). Format 2
    /// stores the turns themselves.
    void SetKeysFormatLook(const MouseLook& look) { keysFormatLook = look; }

    /// The header; false with Problem() set when it cannot be read.
    bool ReadHeader(DemoHeader& header);

    enum class Record { Frame, Checkpoint, End, Stop };
    /// The next record into the matching argument; Stop at a problem (see Problem()).
    Record Next(DemoFrame& frame, DemoCheckpoint& checkpoint, DemoEnd& end);

    DemoProblem Problem() const { return problem; }
    /// One line on what is wrong, for a player.
    const std::string& Message() const { return message; }

private:
    bool Fail(DemoProblem kind, const std::string& what);
    bool Need(std::size_t bytes, const char* what);
    bool ReadBytes(void* out, std::size_t count, const char* what);
    template <typename T> bool Read(T& out, const char* what);
    bool ReadString(std::string& out, std::size_t limit, const char* what);
    bool ReadState(GameState& state);
    bool ReadKeysFrame(unsigned char flags, DemoFrame& frame);
    bool ReadActionsFrame(unsigned char flags, DemoFrame& frame);
    bool ReadEvents(std::vector<InputEvent>& events);

    const unsigned char* data;
    std::size_t size;
    std::size_t offset = 0;
    bool ended = false;
    DemoProblem problem = DemoProblem::None;
    std::string message;
    std::uint16_t version = 0;
    MouseLook keysFormatLook;
    /// Format 1: the action each of the header's polled keys holds.
    std::vector<std::uint32_t> heldKeyActions;
    std::uint32_t held = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

/// What reading a whole demo found: the problem (None for a sound file), its message, and
/// how far it got.
struct DemoSummary {
    DemoProblem problem = DemoProblem::None;
    std::string message;
    DemoHeader header;
    std::uint32_t frames = 0;
    std::uint32_t checkpoints = 0;
};
DemoSummary ReadWholeDemo(const unsigned char* data, std::size_t size);
