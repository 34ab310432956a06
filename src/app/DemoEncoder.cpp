#include "app/DemoEncoder.h"

#include "app/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <type_traits>

namespace {

class Bytes {
public:
    template <typename T> void Put(T value) {
        const auto bytes = LittleEndian::Bytes(value);
        out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
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

/// The frame's presses and focus changes in the order they came, as demo events.
std::vector<InputEvent> OrderedEvents(const ActionRecord& record) {
    std::vector<InputEvent> events;
    std::size_t focus = 0;
    const auto focusUpTo = [&](std::size_t presses) {
        for (; focus < record.focus.size() && record.focus[focus].afterPresses <= presses; ++focus)
            events.push_back({InputEventKind::Focus, 0, record.focus[focus].focused ? 1 : 0});
    };
    for (std::size_t i = 0; i < record.pressed.size(); ++i) {
        focusUpTo(i);
        events.push_back({InputEventKind::ActionPressed, static_cast<std::int32_t>(record.pressed[i]), 1});
    }
    focusUpTo(record.pressed.size());
    return events;
}

/// Whether a float is other than +0: a turn of -0 still tells the view which way its zero leans.
bool IsNonZeroBits(float value) {
    return std::bit_cast<std::uint32_t>(value) != 0;
}

} // namespace

std::string DemoEncoder::Header(const DemoHeader& header) {
    Bytes out;
    for (char c : kDemoMagic)
        out.Put(c);
    out.Put(kDemoFormatVersion);
    out.PutString16(header.gameVersion.substr(0, kMaxDemoVersionText));
    out.PutString32(header.controls);
    out.PutString32(header.physics);
    out.Put(header.width);
    out.Put(header.height);
    // Format 2 frames hold actions, not keys: the list of polled keys is empty.
    out.Put(std::uint8_t{0});
    held = 0;
    width = header.width;
    height = header.height;
    return out.Take();
}

std::string DemoEncoder::Frame(const DemoFrame& frame) {
    using namespace DemoRecord;
    std::vector<InputEvent> events = OrderedEvents(frame.record);
    // The input layer keeps a frame's presses within kMaxDemoPressesPerFrame; should more ever
    // come, the last ones go rather than the whole file becoming unreadable.
    if (events.size() > kMaxDemoPressesPerFrame)
        events.resize(kMaxDemoPressesPerFrame);
    if (frame.width != width || frame.height != height) {
        events.push_back({InputEventKind::WindowSize, frame.width, frame.height});
        width = frame.width;
        height = frame.height;
    }
    const ActionRecord& record = frame.record;
    unsigned char flags = 0;
    if (record.held != held)
        flags |= kHeldChanged;
    if (IsNonZeroBits(record.turnYaw) || IsNonZeroBits(record.turnPitch))
        flags |= kTurned;
    if (!events.empty())
        flags |= kHasEvents;
    Bytes out;
    out.Put(flags);
    out.Put(frame.dt);
    if (flags & kHeldChanged)
        out.Put(record.held);
    if (flags & kTurned) {
        out.Put(record.turnYaw);
        out.Put(record.turnPitch);
    }
    if (flags & kHasEvents) {
        out.Put(static_cast<std::uint16_t>(events.size()));
        for (const InputEvent& event : events)
            PutEvent(out, event);
    }
    held = record.held;
    return out.Take();
}

std::string DemoEncoder::Checkpoint(const DemoCheckpoint& checkpoint) {
    Bytes out;
    out.Put(DemoRecord::kCheckpoint);
    out.Put(checkpoint.frame);
    out.Put(checkpoint.hash);
    const auto put = [&out]<typename T>(const char*, const T& value) {
        if constexpr (std::is_same_v<T, std::string>)
            out.PutString16(value);
        else
            out.Put(value);
        return true;
    };
    const GameState& state = checkpoint.state;
    out.Put(static_cast<std::uint16_t>(state.objects.size()));
    for (const ObjectState& object : state.objects)
        VisitObjectFields(put, object);
    VisitFlowFields(put, state);
    return out.Take();
}

std::string DemoEncoder::End(const DemoEnd& end) {
    Bytes out;
    out.Put(DemoRecord::kEnd);
    out.Put(end.frames);
    out.Put(end.hash);
    return out.Take();
}
