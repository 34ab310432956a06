#pragma once
// The demo file: how a recorded game is written and read back. A header (magic, format
// version, game version, the settings that steer the simulation, the window size and the keys
// polled every step), then one record per frame (the dt handed to the world, presses and
// releases, held keys, the cursor), a checkpoint with the game's state every second of game
// time, and an end record with the final hash and the frame count. Little-endian throughout.
// The reader works on bytes in memory and checks every size against both a sane limit and the
// bytes that are left before it allocates anything, so a damaged file cannot make it crash or
// ask for unbounded memory.

#include "core/InputEvent.h"
#include "game/GameState.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr char kDemoMagic[8] = {'K', 'O', 'R', 'V', 'D', 'E', 'M', 'O'};
inline constexpr std::uint16_t kDemoFormatVersion = 1;
/// A demo larger than this is refused before it is read (about 20 hours of play).
inline constexpr std::size_t kMaxDemoBytes = 256u << 20;
/// Presses, releases and window sizes one frame may hold: the recorder keeps within it and the
/// reader refuses more, so whatever is recorded can be replayed.
inline constexpr std::size_t kMaxDemoEventsPerFrame = 4096;
/// Of those, the presses, releases and focus changes: one is left for the window's size.
inline constexpr std::size_t kMaxDemoPressesPerFrame = kMaxDemoEventsPerFrame - 1;
/// The longest frame a demo may hold: the game never hands the world more than a second at once.
inline constexpr float kMaxDemoFrameSeconds = 1.0f;

struct DemoHeader {
    std::string gameVersion;
    /// The [Controls] and [Physics] tables of the settings as TOML text.
    std::string controls;
    std::string physics;
    std::int32_t width = 0;
    std::int32_t height = 0;
    /// The GLFW codes whose held state each frame carries, bit i for key i.
    std::vector<std::int32_t> heldKeys;

    bool operator==(const DemoHeader&) const = default;
};

/// One frame as the game saw it: everything the world's update reads from outside.
struct DemoFrame {
    float dt = 0.0f;
    std::uint32_t held = 0;
    /// The cursor mouse look read, with the window size it is measured against.
    double cursorX = 0.0;
    double cursorY = 0.0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    /// Presses and releases in the order they came (window sizes are carried by the fields above).
    std::vector<InputEvent> events;

    bool operator==(const DemoFrame&) const = default;
};

struct DemoCheckpoint {
    /// Frames played when the state was taken (the state after that many frames).
    std::uint32_t frame = 0;
    std::uint64_t hash = 0;
    GameState state;
};

struct DemoEnd {
    std::uint32_t frames = 0;
    std::uint64_t hash = 0;
};

/// Turns a game into bytes, record by record. Stateful: a frame stores its held keys, cursor
/// and window size only where they differ from what the reader already knows.
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
    bool ReadFloat(float& out, const char* what);
    bool ReadDouble(double& out, const char* what);
    bool ReadString(std::string& out, std::size_t limit, const char* what);
    bool ReadState(GameState& state);

    const unsigned char* data;
    std::size_t size;
    std::size_t offset = 0;
    bool ended = false;
    DemoProblem problem = DemoProblem::None;
    std::string message;
    std::vector<std::int32_t> heldKeys;
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
