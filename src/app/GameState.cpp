#include "app/GameState.h"

#include "app/LittleEndian.h"
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
        const auto bytes = LittleEndian::Bytes(value);
        Bytes(bytes.data(), bytes.size());
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
    const auto take = [&hash]<typename T>(const char*, const T& value) {
        if constexpr (std::is_same_v<T, std::string>) {
            hash.Value(static_cast<std::uint32_t>(value.size()));
            hash.Bytes(value.data(), value.size());
        } else {
            hash.Value(value);
        }
        return true;
    };
    hash.Value(static_cast<std::uint32_t>(state.objects.size()));
    for (const ObjectState& object : state.objects)
        VisitObjectFields(take, object);
    VisitFlowFields(take, state);
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
        const bool same = VisitObjectFields(
            [&]<typename T>(const char* label, const T& expectedValue, const T& foundValue) {
                if constexpr (std::is_same_v<T, std::string>) {
                    if (expectedValue == foundValue)
                        return true;
                    out << "object " << i + 1 << ": expected " << name << ", found "
                        << PrintableText(foundValue);
                    return false;
                } else {
                    return !Differs(out, name + " " + label, expectedValue, foundValue);
                }
            },
            e, f);
        if (!same)
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
