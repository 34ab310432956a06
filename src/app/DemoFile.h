#pragma once
// The demo file's records and limits, shared by its writer (DemoEncoder) and its reader
// (DemoReader). A header (magic, format version, game version, the settings that steer the
// simulation, the window size), then one record per frame (the dt handed to the world and the
// frame's action record: held actions, pressed actions and focus changes in order, the view's
// turn), a checkpoint with the game's state every second of game time, and an end record with
// the final hash and the frame count. Little-endian throughout.
//
// Format 1, still read, stored the window's input instead of actions: key and mouse-button
// presses and releases, the keys polled every step (listed in the header) and the cursor. The
// reader turns each of its frames into the action record the game made of it, through the
// default bindings it was always recorded with.

#include "app/GameState.h"
#include "core/ActionRecord.h"
#include "core/InputEvent.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr char kDemoMagic[8] = {'K', 'O', 'R', 'V', 'D', 'E', 'M', 'O'};
inline constexpr std::uint16_t kDemoFormatVersion = 2;
/// The format of key presses and cursor positions.
inline constexpr std::uint16_t kDemoKeysFormatVersion = 1;
/// A demo larger than this is refused before it is read (about 20 hours of play).
inline constexpr std::size_t kMaxDemoBytes = 256u << 20;
/// Presses, focus changes and window sizes one frame may hold: the recorder keeps within it and
/// the reader refuses more, so whatever is recorded can be replayed.
inline constexpr std::size_t kMaxDemoEventsPerFrame = 4096;
/// Of those, the presses and focus changes: one is left for the window's size.
inline constexpr std::size_t kMaxDemoPressesPerFrame = ActionRecord::kMaxEvents;
static_assert(kMaxDemoPressesPerFrame + 1 == kMaxDemoEventsPerFrame);
/// The longest frame a demo may hold: the game never hands the world more than a second at once.
inline constexpr float kMaxDemoFrameSeconds = 1.0f;
/// The longest game version a header holds.
inline constexpr std::size_t kMaxDemoVersionText = 256;

/// A record's first byte: a frame's flags, saying what it holds besides its dt, or a tag.
namespace DemoRecord {
inline constexpr unsigned char kHeldChanged = 0x01;
/// Format 2: the view turned. Format 1: the cursor was off the window's centre.
inline constexpr unsigned char kTurned = 0x02;
inline constexpr unsigned char kHasEvents = 0x04;
inline constexpr unsigned char kFrameFlags = kHeldChanged | kTurned | kHasEvents;
inline constexpr unsigned char kCheckpoint = 0x10;
inline constexpr unsigned char kEnd = 0x11;
} // namespace DemoRecord

struct DemoHeader {
    /// As read; a header is always written in kDemoFormatVersion.
    std::uint16_t formatVersion = kDemoFormatVersion;
    std::string gameVersion;
    /// The [Controls] and [Physics] tables of the settings as TOML text.
    std::string controls;
    std::string physics;
    std::int32_t width = 0;
    std::int32_t height = 0;
    /// Format 1: the GLFW codes whose held state each frame carries, bit i for key i. Empty in
    /// format 2, whose frames carry held actions.
    std::vector<std::int32_t> heldKeys;

    bool operator==(const DemoHeader&) const = default;
};

/// One frame as the game saw it: everything the world's update reads from outside.
struct DemoFrame {
    float dt = 0.0f;
    ActionRecord record;
    /// The window's size, for the record of how the game was shown.
    std::int32_t width = 0;
    std::int32_t height = 0;

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
