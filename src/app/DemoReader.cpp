#include "app/DemoReader.h"

#include "app/LittleEndian.h"
#include "core/InputBindings.h"
#include "core/PadFrame.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace {

constexpr std::size_t kMaxSettingsText = 64 * 1024;
constexpr std::size_t kMaxHeldKeys = 16;
constexpr std::size_t kMaxObjects = 65535;
constexpr std::size_t kMaxName = 256;
constexpr std::int32_t kMaxWindowSide = 65535;
// Bytes an event and an object take at the least, to check a count against what is left.
constexpr std::size_t kEventBytes = 9;
constexpr std::size_t kMinObjectBytes = 2 + 6 * 4 + 4;
// Nor can the cursor be a million pixels away, nor one frame turn the view a million radians.
constexpr double kMaxCursor = 1.0e6;
constexpr float kMaxTurn = 1.0e6f;
constexpr std::uint32_t kAllActions = (std::uint32_t{1} << kActionCount) - 1;
/// What the first format's game could be asked: every action but the menus'.
constexpr std::uint32_t kKeysFormatActions = (std::uint32_t{1} << static_cast<int>(Action::MenuUp)) - 1;
constexpr std::uint32_t kWalkActions =
    ActionBit(Action::Forward) | ActionBit(Action::Back) | ActionBit(Action::Left) | ActionBit(Action::Right);

/// The actions of `mask` in action order: an input bound to several asks for them so.
void AppendActions(std::uint32_t mask, std::vector<Action>& pressed) {
    for (int i = 0; i < kActionCount; ++i)
        if (mask & (std::uint32_t{1} << i))
            pressed.push_back(static_cast<Action>(i));
}

/// A code the window can report: any other would reach the game's bindings as something else
/// (mouse button 256 is the Escape key's code).
bool IsKnownCode(InputEventKind kind, std::int32_t code) {
    if (kind == InputEventKind::MouseButton)
        return code >= GLFW_MOUSE_BUTTON_1 && code <= GLFW_MOUSE_BUTTON_LAST;
    if (kind == InputEventKind::Key)
        return code == GLFW_KEY_UNKNOWN || (code >= GLFW_KEY_SPACE && code <= GLFW_KEY_LAST);
    return code == 0;
}

} // namespace

DemoReader::DemoReader(const unsigned char* data, std::size_t size) : data(data), size(size) {}

bool DemoReader::Fail(DemoProblem kind, const std::string& what) {
    if (problem == DemoProblem::None) {
        problem = kind;
        message = what;
    }
    return false;
}

bool DemoReader::Need(std::size_t bytes, const char* what) {
    if (size - offset >= bytes)
        return true;
    return Fail(DemoProblem::Truncated, std::string("it is cut short in ") + what);
}

bool DemoReader::ReadBytes(void* out, std::size_t count, const char* what) {
    if (!Need(count, what))
        return false;
    if (count > 0)
        std::memcpy(out, data + offset, count);
    offset += count;
    return true;
}

template <typename T> bool DemoReader::Read(T& out, const char* what) {
    unsigned char bytes[sizeof(T)];
    if (!ReadBytes(bytes, sizeof(T), what))
        return false;
    out = LittleEndian::Value<T>(bytes);
    return true;
}

bool DemoReader::ReadString(std::string& out, std::size_t limit, const char* what) {
    std::uint32_t length = 0;
    if (limit <= 0xFFFF) {
        std::uint16_t shortLength = 0;
        if (!Read(shortLength, what))
            return false;
        length = shortLength;
    } else if (!Read(length, what)) {
        return false;
    }
    if (length > limit)
        return Fail(DemoProblem::Damaged, std::string(what) + " claims " + std::to_string(length) + " bytes");
    if (!Need(length, what))
        return false;
    out.assign(reinterpret_cast<const char*>(data + offset), length);
    offset += length;
    return true;
}

bool DemoReader::ReadHeader(DemoHeader& header) {
    char magic[sizeof(kDemoMagic)] = {};
    if (size < sizeof(kDemoMagic) || !ReadBytes(magic, sizeof(magic), "its start") ||
        std::memcmp(magic, kDemoMagic, sizeof(magic)) != 0)
        return Fail(DemoProblem::NotADemo, "it is not a Korvane demo");
    std::uint16_t version = 0;
    if (!Read(version, "the header"))
        return false;
    if (version != kDemoFormatVersion && version != kDemoKeysFormatVersion)
        return Fail(DemoProblem::OtherVersion, "it is a demo of format version " + std::to_string(version) +
                                                   "; this game reads versions " +
                                                   std::to_string(kDemoKeysFormatVersion) + " and " +
                                                   std::to_string(kDemoFormatVersion));
    header.formatVersion = version;
    this->version = version;
    std::uint8_t keyCount = 0;
    if (!ReadString(header.gameVersion, kMaxDemoVersionText, "the game version") ||
        !ReadString(header.controls, kMaxSettingsText, "the settings") ||
        !ReadString(header.physics, kMaxSettingsText, "the settings") || !Read(header.width, "the header") ||
        !Read(header.height, "the header") || !Read(keyCount, "the header"))
        return false;
    if (header.width < 0 || header.width > kMaxWindowSide || header.height < 0 ||
        header.height > kMaxWindowSide)
        return Fail(DemoProblem::Damaged, "its window size " + std::to_string(header.width) + " x " +
                                              std::to_string(header.height) + " is impossible");
    if (keyCount > (version == kDemoKeysFormatVersion ? kMaxHeldKeys : 0))
        return Fail(DemoProblem::Damaged, "it claims " + std::to_string(keyCount) + " held keys");
    header.heldKeys.assign(keyCount, 0);
    for (std::int32_t& key : header.heldKeys) {
        if (!Read(key, "the header"))
            return false;
        if (key == GLFW_KEY_UNKNOWN || !IsKnownCode(InputEventKind::Key, key))
            return Fail(DemoProblem::Damaged,
                        "it holds key code " + std::to_string(key) + ", which no key has");
    }
    // The first format was recorded with the default bindings, the only ones its game had.
    const InputBindings defaults;
    heldKeyActions.clear();
    for (std::int32_t key : header.heldKeys)
        heldKeyActions.push_back(defaults.ActionsOf(key) & kWalkActions);
    width = header.width;
    height = header.height;
    return true;
}

bool DemoReader::ReadState(GameState& state) {
    std::uint16_t count = 0;
    if (!Read(count, "a checkpoint"))
        return false;
    if (count > kMaxObjects)
        return Fail(DemoProblem::Damaged, "a checkpoint claims " + std::to_string(count) + " objects");
    if (!Need(std::size_t{count} * kMinObjectBytes, "a checkpoint"))
        return false;
    state.objects.assign(count, ObjectState{});
    const auto read = [this]<typename T>(const char*, T& value) {
        if constexpr (std::is_same_v<T, std::string>) {
            return ReadString(value, kMaxName, "an object's name");
        } else if constexpr (std::is_same_v<T, bool>) {
            std::uint8_t flag = 0;
            if (!Read(flag, "a checkpoint"))
                return false;
            if (flag > 1)
                return Fail(DemoProblem::Damaged, "a checkpoint holds a flag that is neither 0 nor 1");
            value = flag != 0;
            return true;
        } else {
            return Read(value, "a checkpoint");
        }
    };
    for (ObjectState& object : state.objects)
        if (!VisitObjectFields(read, object))
            return false;
    return VisitFlowFields(read, state);
}

DemoReader::Record DemoReader::Next(DemoFrame& frame, DemoCheckpoint& checkpoint, DemoEnd& end) {
    using namespace DemoRecord;
    if (problem != DemoProblem::None)
        return Record::Stop;
    if (offset == size) {
        if (!ended)
            Fail(DemoProblem::Truncated, "it ends without its end record (the recording was cut short)");
        return Record::Stop;
    }
    if (ended) {
        Fail(DemoProblem::Damaged, "it goes on after its end record");
        return Record::Stop;
    }
    std::uint8_t tag = 0;
    Read(tag, "a record");
    if (tag == kCheckpoint) {
        if (!Read(checkpoint.frame, "a checkpoint") || !Read(checkpoint.hash, "a checkpoint") ||
            !ReadState(checkpoint.state))
            return Record::Stop;
        return Record::Checkpoint;
    }
    if (tag == kEnd) {
        if (!Read(end.frames, "the end record") || !Read(end.hash, "the end record"))
            return Record::Stop;
        ended = true;
        return Record::End;
    }
    if ((tag & ~kFrameFlags) != 0) {
        Fail(DemoProblem::Damaged, "it holds a record of unknown kind " + std::to_string(tag));
        return Record::Stop;
    }
    frame = DemoFrame{};
    if (!Read(frame.dt, "a frame"))
        return Record::Stop;
    if (!(frame.dt >= 0.0f && frame.dt <= kMaxDemoFrameSeconds)) {
        Fail(DemoProblem::Damaged, "a frame claims to last " + std::to_string(frame.dt) + " s");
        return Record::Stop;
    }
    const bool read =
        version == kDemoKeysFormatVersion ? ReadKeysFrame(tag, frame) : ReadActionsFrame(tag, frame);
    if (!read)
        return Record::Stop;
    frame.width = width;
    frame.height = height;
    return Record::Frame;
}

bool DemoReader::ReadEvents(std::vector<InputEvent>& events) {
    std::uint16_t count = 0;
    if (!Read(count, "a frame"))
        return false;
    if (count > kMaxDemoEventsPerFrame)
        return Fail(DemoProblem::Damaged, "a frame claims " + std::to_string(count) + " input events");
    if (!Need(std::size_t{count} * kEventBytes, "a frame"))
        return false;
    const bool keys = version == kDemoKeysFormatVersion;
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint8_t kind = 0;
        InputEvent event;
        Read(kind, "a frame");
        Read(event.a, "a frame");
        Read(event.b, "a frame");
        event.kind = static_cast<InputEventKind>(kind);
        switch (event.kind) {
        case InputEventKind::Key:
        case InputEventKind::MouseButton:
            if (!keys)
                return Fail(DemoProblem::Damaged, "a frame holds a key press where actions belong");
            [[fallthrough]];
        case InputEventKind::Focus:
            if (event.b != 0 && event.b != 1)
                return Fail(DemoProblem::Damaged, "a frame holds a press that is neither down nor up");
            if (!IsKnownCode(event.kind, event.a))
                return Fail(DemoProblem::Damaged,
                            "a frame holds " +
                                std::string(event.kind == InputEventKind::MouseButton ? "mouse button "
                                            : event.kind == InputEventKind::Key       ? "key "
                                                                                      : "focus ") +
                                std::to_string(event.a) + ", which the window never reports");
            events.push_back(event);
            break;
        case InputEventKind::ActionPressed:
            if (keys || event.a < 0 || event.a >= kActionCount || event.b != 1)
                return Fail(DemoProblem::Damaged, "a frame holds action " + std::to_string(event.a) +
                                                      ", which the game does not have");
            events.push_back(event);
            break;
        case InputEventKind::WindowSize:
            if (event.a < 0 || event.a > kMaxWindowSide || event.b < 0 || event.b > kMaxWindowSide)
                return Fail(DemoProblem::Damaged, "a frame holds an impossible window size");
            width = event.a;
            height = event.b;
            break;
        default:
            return Fail(DemoProblem::Damaged,
                        "a frame holds an input event of unknown kind " + std::to_string(kind));
        }
    }
    return true;
}

bool DemoReader::ReadActionsFrame(unsigned char flags, DemoFrame& frame) {
    using namespace DemoRecord;
    ActionRecord& record = frame.record;
    if (flags & kHeldChanged) {
        if (!Read(held, "a frame"))
            return false;
        if ((held & ~kAllActions) != 0)
            return Fail(DemoProblem::Damaged, "a frame holds an action the game does not have");
    }
    record.held = held;
    if (flags & kTurned) {
        if (!Read(record.turnYaw, "a frame") || !Read(record.turnPitch, "a frame"))
            return false;
        if (!(std::fabs(record.turnYaw) <= kMaxTurn && std::fabs(record.turnPitch) <= kMaxTurn))
            return Fail(DemoProblem::Damaged, "a frame holds an impossible turn of the view");
    }
    std::vector<InputEvent> events;
    if ((flags & kHasEvents) && !ReadEvents(events))
        return false;
    for (const InputEvent& event : events) {
        if (event.kind == InputEventKind::ActionPressed)
            record.pressed.push_back(static_cast<Action>(event.a));
        else
            record.focus.push_back({static_cast<std::uint32_t>(record.pressed.size()), event.b != 0});
    }
    return true;
}

bool DemoReader::ReadKeysFrame(unsigned char flags, DemoFrame& frame) {
    using namespace DemoRecord;
    if (flags & kHeldChanged) {
        std::uint16_t mask = 0;
        if (!Read(mask, "a frame"))
            return false;
        held = mask;
    }
    double x = 0.0, y = 0.0;
    const bool moved = (flags & kTurned) != 0;
    if (moved) {
        if (!Read(x, "a frame") || !Read(y, "a frame"))
            return false;
        if (!(std::fabs(x) <= kMaxCursor && std::fabs(y) <= kMaxCursor))
            return Fail(DemoProblem::Damaged, "a frame holds an impossible cursor position");
    }
    std::vector<InputEvent> events;
    if ((flags & kHasEvents) && !ReadEvents(events))
        return false;

    // The record the game of that format made of the frame: the walking keys it polled, the
    // presses through the default bindings, the cursor turned by the recording's mouse look
    // (the window's size after the frame's events is the one mouse look measured against).
    ActionRecord& record = frame.record;
    for (std::size_t i = 0; i < heldKeyActions.size(); ++i)
        if ((held >> i) & 1u)
            record.held |= heldKeyActions[i];
    static const InputBindings defaults;
    for (const InputEvent& event : events) {
        if (event.kind == InputEventKind::Focus)
            record.focus.push_back({static_cast<std::uint32_t>(record.pressed.size()), event.b != 0});
        else if (event.b != 0)
            AppendActions(
                defaults.ActionsOf(event.kind == InputEventKind::Key ? event.a : InputCode::Mouse(event.a)) &
                    kKeysFormatActions,
                record.pressed);
    }
    const ViewTurn turn =
        CursorTurn(moved ? x : static_cast<double>(width / 2), moved ? y : static_cast<double>(height / 2),
                   width, height, keysFormatLook);
    record.turnYaw = turn.yaw;
    record.turnPitch = turn.pitch;
    return true;
}

DemoSummary ReadWholeDemo(const unsigned char* data, std::size_t size) {
    DemoSummary summary;
    DemoReader reader(data, size);
    if (reader.ReadHeader(summary.header)) {
        DemoFrame frame;
        DemoCheckpoint checkpoint;
        DemoEnd end;
        for (;;) {
            const DemoReader::Record record = reader.Next(frame, checkpoint, end);
            if (record == DemoReader::Record::Stop)
                break;
            if (record == DemoReader::Record::Frame)
                ++summary.frames;
            else if (record == DemoReader::Record::Checkpoint)
                ++summary.checkpoints;
            else if (end.frames != summary.frames && summary.message.empty()) {
                summary.problem = DemoProblem::Damaged;
                summary.message = "its end record counts " + std::to_string(end.frames) +
                                  " frames, but it holds " + std::to_string(summary.frames);
            }
        }
        // After a clean end record the reader's "problem" is only that there is nothing more.
    }
    if (summary.problem == DemoProblem::None && reader.Problem() != DemoProblem::None) {
        summary.problem = reader.Problem();
        summary.message = reader.Message();
    }
    return summary;
}
