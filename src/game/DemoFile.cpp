#include "game/DemoFile.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace {

constexpr unsigned char kHeldChanged = 0x01;
constexpr unsigned char kCursorMoved = 0x02;
constexpr unsigned char kHasEvents = 0x04;
constexpr unsigned char kFrameFlags = kHeldChanged | kCursorMoved | kHasEvents;
constexpr unsigned char kCheckpointTag = 0x10;
constexpr unsigned char kEndTag = 0x11;

constexpr std::size_t kMaxVersionText = 256;
constexpr std::size_t kMaxSettingsText = 64 * 1024;
constexpr std::size_t kMaxHeldKeys = 16;
constexpr std::size_t kMaxObjects = 65535;
constexpr std::size_t kMaxName = 256;
constexpr std::int32_t kMaxWindowSide = 65535;
// Bytes an event and an object take at the least, to check a count against what is left.
constexpr std::size_t kEventBytes = 9;
constexpr std::size_t kMinObjectBytes = 2 + 6 * 4 + 4;
// Nor can the cursor be a million pixels away.
constexpr double kMaxCursor = 1.0e6;

/// A code the window can report: any other would reach the game's bindings as something else
/// (mouse button 256 is the Escape key's code).
bool IsKnownCode(InputEventKind kind, std::int32_t code) {
    if (kind == InputEventKind::MouseButton)
        return code >= GLFW_MOUSE_BUTTON_1 && code <= GLFW_MOUSE_BUTTON_LAST;
    if (kind == InputEventKind::Key)
        return code == GLFW_KEY_UNKNOWN || (code >= GLFW_KEY_SPACE && code <= GLFW_KEY_LAST);
    return code == 0;
}

class Bytes {
public:
    template <typename T> void Put(T value) {
        std::uint64_t bits = 0;
        if constexpr (std::is_same_v<T, float>)
            bits = std::bit_cast<std::uint32_t>(value);
        else if constexpr (std::is_same_v<T, double>)
            bits = std::bit_cast<std::uint64_t>(value);
        else
            bits = static_cast<std::uint64_t>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            out.push_back(static_cast<char>(bits >> (8 * i)));
    }
    void PutString16(const std::string& text) {
        Put(static_cast<std::uint16_t>(text.size()));
        out += text;
    }
    void PutString32(const std::string& text) {
        Put(static_cast<std::uint32_t>(text.size()));
        out += text;
    }
    std::string Take() { return std::move(out); }

private:
    std::string out;
};

void PutEvent(Bytes& out, const InputEvent& event) {
    out.Put(static_cast<std::uint8_t>(event.kind));
    out.Put(event.a);
    out.Put(event.b);
}

bool IsCentred(double x, double y, std::int32_t width, std::int32_t height) {
    return x == static_cast<double>(width / 2) && y == static_cast<double>(height / 2);
}

} // namespace

std::string DemoEncoder::Header(const DemoHeader& header) {
    Bytes out;
    for (char c : kDemoMagic)
        out.Put(c);
    out.Put(kDemoFormatVersion);
    out.PutString16(header.gameVersion.substr(0, kMaxVersionText));
    out.PutString32(header.controls);
    out.PutString32(header.physics);
    out.Put(header.width);
    out.Put(header.height);
    out.Put(static_cast<std::uint8_t>(header.heldKeys.size()));
    for (std::int32_t key : header.heldKeys)
        out.Put(key);
    held = 0;
    width = header.width;
    height = header.height;
    return out.Take();
}

std::string DemoEncoder::Frame(const DemoFrame& frame) {
    // The recorder keeps a frame's presses within kMaxDemoPressesPerFrame; should more ever come,
    // the last ones go rather than the whole file becoming unreadable.
    std::vector<InputEvent> events(frame.events.begin(),
                                   frame.events.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                              frame.events.size(), kMaxDemoPressesPerFrame)));
    if (frame.width != width || frame.height != height) {
        events.push_back({InputEventKind::WindowSize, frame.width, frame.height});
        width = frame.width;
        height = frame.height;
    }
    unsigned char flags = 0;
    if (frame.held != held)
        flags |= kHeldChanged;
    if (!IsCentred(frame.cursorX, frame.cursorY, width, height))
        flags |= kCursorMoved;
    if (!events.empty())
        flags |= kHasEvents;
    Bytes out;
    out.Put(flags);
    out.Put(frame.dt);
    if (flags & kHeldChanged)
        out.Put(static_cast<std::uint16_t>(frame.held));
    if (flags & kCursorMoved) {
        out.Put(frame.cursorX);
        out.Put(frame.cursorY);
    }
    if (flags & kHasEvents) {
        out.Put(static_cast<std::uint16_t>(events.size()));
        for (const InputEvent& event : events)
            PutEvent(out, event);
    }
    held = frame.held;
    return out.Take();
}

std::string DemoEncoder::Checkpoint(const DemoCheckpoint& checkpoint) {
    Bytes out;
    out.Put(kCheckpointTag);
    out.Put(checkpoint.frame);
    out.Put(checkpoint.hash);
    const GameState& state = checkpoint.state;
    out.Put(static_cast<std::uint16_t>(state.objects.size()));
    for (const ObjectState& object : state.objects) {
        out.PutString16(object.name);
        for (float value : object.position)
            out.Put(value);
        for (float value : object.velocity)
            out.Put(value);
        out.Put(object.health);
    }
    VisitFlowFields(
        [&out]<typename T>(const char*, const T& value) {
            if constexpr (std::is_same_v<T, bool>)
                out.Put(static_cast<std::uint8_t>(value));
            else
                out.Put(value);
            return true;
        },
        state);
    return out.Take();
}

std::string DemoEncoder::End(const DemoEnd& end) {
    Bytes out;
    out.Put(kEndTag);
    out.Put(end.frames);
    out.Put(end.hash);
    return out.Take();
}

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
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    out = static_cast<T>(bits);
    return true;
}

bool DemoReader::ReadFloat(float& out, const char* what) {
    std::uint32_t bits = 0;
    if (!Read(bits, what))
        return false;
    out = std::bit_cast<float>(bits);
    return true;
}

bool DemoReader::ReadDouble(double& out, const char* what) {
    std::uint64_t bits = 0;
    if (!Read(bits, what))
        return false;
    out = std::bit_cast<double>(bits);
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
    if (version != kDemoFormatVersion)
        return Fail(DemoProblem::OtherVersion, "it is a demo of format version " + std::to_string(version) +
                                                   "; this game reads version " +
                                                   std::to_string(kDemoFormatVersion));
    std::uint8_t keyCount = 0;
    if (!ReadString(header.gameVersion, kMaxVersionText, "the game version") ||
        !ReadString(header.controls, kMaxSettingsText, "the settings") ||
        !ReadString(header.physics, kMaxSettingsText, "the settings") || !Read(header.width, "the header") ||
        !Read(header.height, "the header") || !Read(keyCount, "the header"))
        return false;
    if (header.width < 0 || header.width > kMaxWindowSide || header.height < 0 ||
        header.height > kMaxWindowSide)
        return Fail(DemoProblem::Damaged, "its window size " + std::to_string(header.width) + " x " +
                                              std::to_string(header.height) + " is impossible");
    if (keyCount > kMaxHeldKeys)
        return Fail(DemoProblem::Damaged, "it claims " + std::to_string(keyCount) + " held keys");
    header.heldKeys.assign(keyCount, 0);
    for (std::int32_t& key : header.heldKeys) {
        if (!Read(key, "the header"))
            return false;
        if (key == GLFW_KEY_UNKNOWN || !IsKnownCode(InputEventKind::Key, key))
            return Fail(DemoProblem::Damaged,
                        "it holds key code " + std::to_string(key) + ", which no key has");
    }
    heldKeys = header.heldKeys;
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
    for (ObjectState& object : state.objects) {
        if (!ReadString(object.name, kMaxName, "an object's name"))
            return false;
        for (float& value : object.position)
            if (!ReadFloat(value, "a checkpoint"))
                return false;
        for (float& value : object.velocity)
            if (!ReadFloat(value, "a checkpoint"))
                return false;
        if (!Read(object.health, "a checkpoint"))
            return false;
    }
    return VisitFlowFields(
        [this]<typename T>(const char*, T& value) {
            if constexpr (std::is_same_v<T, bool>) {
                std::uint8_t flag = 0;
                if (!Read(flag, "a checkpoint"))
                    return false;
                if (flag > 1)
                    return Fail(DemoProblem::Damaged, "a checkpoint holds a flag that is neither 0 nor 1");
                value = flag != 0;
                return true;
            } else if constexpr (std::is_same_v<T, float>) {
                return ReadFloat(value, "a checkpoint");
            } else {
                return Read(value, "a checkpoint");
            }
        },
        state);
}

DemoReader::Record DemoReader::Next(DemoFrame& frame, DemoCheckpoint& checkpoint, DemoEnd& end) {
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
    if (tag == kCheckpointTag) {
        if (!Read(checkpoint.frame, "a checkpoint") || !Read(checkpoint.hash, "a checkpoint") ||
            !ReadState(checkpoint.state))
            return Record::Stop;
        return Record::Checkpoint;
    }
    if (tag == kEndTag) {
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
    if (!ReadFloat(frame.dt, "a frame"))
        return Record::Stop;
    if (!(frame.dt >= 0.0f && frame.dt <= kMaxDemoFrameSeconds)) {
        Fail(DemoProblem::Damaged, "a frame claims to last " + std::to_string(frame.dt) + " s");
        return Record::Stop;
    }
    if (tag & kHeldChanged) {
        std::uint16_t mask = 0;
        if (!Read(mask, "a frame"))
            return Record::Stop;
        held = mask;
    }
    double x = 0.0, y = 0.0;
    bool moved = (tag & kCursorMoved) != 0;
    if (moved) {
        if (!ReadDouble(x, "a frame") || !ReadDouble(y, "a frame"))
            return Record::Stop;
        if (!(std::fabs(x) <= kMaxCursor && std::fabs(y) <= kMaxCursor)) {
            Fail(DemoProblem::Damaged, "a frame holds an impossible cursor position");
            return Record::Stop;
        }
    }
    if (tag & kHasEvents) {
        std::uint16_t count = 0;
        if (!Read(count, "a frame"))
            return Record::Stop;
        if (count > kMaxDemoEventsPerFrame) {
            Fail(DemoProblem::Damaged, "a frame claims " + std::to_string(count) + " input events");
            return Record::Stop;
        }
        if (!Need(std::size_t{count} * kEventBytes, "a frame"))
            return Record::Stop;
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
            case InputEventKind::Focus:
                if (event.b != 0 && event.b != 1) {
                    Fail(DemoProblem::Damaged, "a frame holds a press that is neither down nor up");
                    return Record::Stop;
                }
                if (!IsKnownCode(event.kind, event.a)) {
                    Fail(DemoProblem::Damaged,
                         "a frame holds " +
                             std::string(event.kind == InputEventKind::MouseButton ? "mouse button "
                                         : event.kind == InputEventKind::Key       ? "key "
                                                                                   : "focus ") +
                             std::to_string(event.a) + ", which the window never reports");
                    return Record::Stop;
                }
                frame.events.push_back(event);
                break;
            case InputEventKind::WindowSize:
                if (event.a < 0 || event.a > kMaxWindowSide || event.b < 0 || event.b > kMaxWindowSide) {
                    Fail(DemoProblem::Damaged, "a frame holds an impossible window size");
                    return Record::Stop;
                }
                width = event.a;
                height = event.b;
                break;
            default:
                Fail(DemoProblem::Damaged,
                     "a frame holds an input event of unknown kind " + std::to_string(kind));
                return Record::Stop;
            }
        }
    }
    frame.held = held;
    frame.width = width;
    frame.height = height;
    frame.cursorX = moved ? x : static_cast<double>(width / 2);
    frame.cursorY = moved ? y : static_cast<double>(height / 2);
    return Record::Frame;
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
