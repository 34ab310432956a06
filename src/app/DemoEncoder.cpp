#include "app/DemoEncoder.h"

#include "app/LittleEndian.h"

#include <algorithm>
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

bool IsCentred(double x, double y, std::int32_t width, std::int32_t height) {
    return x == static_cast<double>(width / 2) && y == static_cast<double>(height / 2);
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
    out.Put(static_cast<std::uint8_t>(header.heldKeys.size()));
    for (std::int32_t key : header.heldKeys)
        out.Put(key);
    held = 0;
    width = header.width;
    height = header.height;
    return out.Take();
}

std::string DemoEncoder::Frame(const DemoFrame& frame) {
    using namespace DemoRecord;
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
