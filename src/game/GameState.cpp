#include "game/GameState.h"

#include "core/Random.h"
#include "game/EnemySpawner.h"
#include "game/GameLoop.h"
#include "game/GameObject.h"
#include "game/GameWorld.h"
#include "physics/RigidBody.h"
#include "render/Camera.h"

#include <bit>
#include <cstring>
#include <limits>
#include <sstream>
#include <type_traits>

namespace {

class Fnv1a {
public:
    void Bytes(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            hash ^= bytes[i];
            hash *= 1099511628211ull;
        }
    }
    template <typename T> void Value(T value) {
        // Little-endian order whatever the machine, so a hash means the same everywhere.
        std::uint64_t bits = 0;
        if constexpr (std::is_same_v<T, float>)
            bits = std::bit_cast<std::uint32_t>(value);
        else
            bits = static_cast<std::uint64_t>(value);
        unsigned char bytes[sizeof(T)];
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
        Bytes(bytes, sizeof(T));
    }
    std::uint64_t Get() const { return hash; }

private:
    std::uint64_t hash = 14695981039346656037ull;
};

std::string Show(float value) {
    std::ostringstream text;
    text.precision(std::numeric_limits<float>::max_digits10);
    text << value;
    return text.str();
}

template <typename T> std::string Show(T value) {
    return std::to_string(value);
}

template <typename T> bool Differs(std::ostringstream& out, const std::string& what, T expected, T found) {
    const bool same = [&] {
        if constexpr (std::is_same_v<T, float>)
            return std::bit_cast<std::uint32_t>(expected) == std::bit_cast<std::uint32_t>(found);
        else
            return expected == found;
    }();
    if (same)
        return false;
    out << what << ": expected " << Show(expected) << ", found " << Show(found);
    return true;
}

constexpr const char* kAxis[3] = {"x", "y", "z"};

} // namespace

GameState CaptureGameState() {
    GameWorld& world = GameWorld::GetInstance();
    const GameLoop& flow = GameLoop::GetInstance();
    GameState state;
    for (const GameObject* object : world.GetObjects()) {
        ObjectState entry;
        entry.name = object->name;
        if (object->body != nullptr) {
            const Vector3 position = object->GetPosition();
            const Vector3 velocity = object->body->GetLinearVelocity();
            for (int axis = 0; axis < 3; ++axis) {
                entry.position[axis] = position[axis];
                entry.velocity[axis] = velocity[axis];
            }
        }
        entry.health = object->health;
        state.objects.push_back(std::move(entry));
    }
    state.timeRemaining = flow.timeRemaining;
    state.deathMessageTimer = flow.deathMessageTimer;
    state.winMessageTimer = flow.winMessageTimer;
    state.started = flow.started;
    state.startPending = flow.startPending;
    if (const EnemySpawner* spawner = flow.GetSpawner()) {
        state.spawnTimer = spawner->spawnTimer;
        state.spawnInterval = spawner->spawnInterval;
        state.spawned = spawner->spawnedCount;
    }
    const Camera& camera = Camera::GetInstance();
    state.yaw = camera.yaw;
    state.pitch = camera.pitch;
    state.steps = world.GetStepCount();
    state.randomDraws = RandomDraws();
    return state;
}

std::uint64_t HashGameState(const GameState& state) {
    Fnv1a hash;
    hash.Value(static_cast<std::uint32_t>(state.objects.size()));
    for (const ObjectState& object : state.objects) {
        hash.Value(static_cast<std::uint32_t>(object.name.size()));
        hash.Bytes(object.name.data(), object.name.size());
        for (int axis = 0; axis < 3; ++axis)
            hash.Value(object.position[axis]);
        for (int axis = 0; axis < 3; ++axis)
            hash.Value(object.velocity[axis]);
        hash.Value(object.health);
    }
    VisitFlowFields(
        [&hash]<typename T>(const char*, const T& value) {
            if constexpr (std::is_same_v<T, bool>)
                hash.Value(static_cast<std::uint8_t>(value));
            else
                hash.Value(value);
            return true;
        },
        state);
    return hash.Get();
}

std::string PrintableText(std::string_view text) {
    std::string printable;
    printable.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            printable += c;
            continue;
        }
        static constexpr char kHex[] = "0123456789abcdef";
        printable += "\\x";
        printable += kHex[byte >> 4];
        printable += kHex[byte & 0x0f];
    }
    return printable;
}

std::string DescribeDifference(const GameState& expected, const GameState& found) {
    std::ostringstream out;
    const std::size_t common = std::min(expected.objects.size(), found.objects.size());
    for (std::size_t i = 0; i < common; ++i) {
        const ObjectState& e = expected.objects[i];
        const ObjectState& f = found.objects[i];
        const std::string name = PrintableText(e.name);
        if (e.name != f.name) {
            out << "object " << i + 1 << ": expected " << name << ", found " << PrintableText(f.name);
            return out.str();
        }
        for (int axis = 0; axis < 3; ++axis)
            if (Differs(out, name + " position " + kAxis[axis], e.position[axis], f.position[axis]))
                return out.str();
        for (int axis = 0; axis < 3; ++axis)
            if (Differs(out, name + " velocity " + kAxis[axis], e.velocity[axis], f.velocity[axis]))
                return out.str();
        if (Differs(out, name + " health", e.health, f.health))
            return out.str();
    }
    if (expected.objects.size() != found.objects.size()) {
        out << "objects: expected " << expected.objects.size() << ", found " << found.objects.size();
        const auto& longer =
            expected.objects.size() > found.objects.size() ? expected.objects : found.objects;
        out << (expected.objects.size() > found.objects.size() ? " (missing " : " (extra ")
            << PrintableText(longer[common].name) << ")";
        return out.str();
    }
    VisitFlowFields(
        [&out]<typename T>(const char* label, const T& e, const T& f) { return !Differs(out, label, e, f); },
        expected, found);
    return out.str();
}
