// One scripted stretch of play, read twice: the list of what happened, in order, and what the
// player was shown and played for it once the frame's update was over.

#include "PlayScenario.h"
#include "audio/AudioService.h"
#include "game/BasicEnemy.h"
#include "game/CombatFeedback.h"
#include "game/CoolEventListener.h"
#include "game/GameEvents.h"
#include "support/ConsoleCapture.h"
#include "ui/TextHandler.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using testing_support::ConsoleCapture;

/// The events of a list by kind, leaving out the gun's report of every step.
std::vector<std::string> Kinds(const std::vector<GameEvent>& events) {
    static const char* const kNames[] = {"shot", "hit",   "kill", "gone",  "hurt", "pickup",
                                         "wave", "death", "gun",  "start", "win"};
    std::vector<std::string> kinds;
    for (const GameEvent& event : events)
        if (!std::holds_alternative<GunMoved>(event))
            kinds.push_back(kNames[event.index()]);
    return kinds;
}

template <typename T> const T& Last(const std::vector<GameEvent>& events) {
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (const T* found = std::get_if<T>(&*it))
            return *found;
    ADD_FAILURE() << "no such event";
    static const T none{};
    return none;
}

class GameEventsTest : public testing_support::PlayScenario {
protected:
    GameEvents& events = game.World().GetEvents();
    CombatFeedback& feedback = CombatFeedback::GetInstance();
    AudioService& audio = AudioService::GetInstance();
    GameLoop& flow = GameLoop::GetInstance();

    std::uint64_t Heard(Sound sound) const { return audio.LastRequest(sound).count; }
    std::string Readout(const std::string& key) const {
        const auto& entries = TextHandler::GetInstance().Entries();
        const auto found = entries.find(key);
        return found == entries.end() ? "<none>" : found->second.text;
    }
};

TEST_F(GameEventsTest, PlayIsToldInOrderAndShownOnlyOnceTheFrameIsOver) {
    PlaceAt(Vector3(0.0f, kFloorHeight + 11.2f, -5.0f));
    Look(0.0f, -Camera::kPitchLimit);
    Step();
    ConsoleCapture console;

    // A shot that brings an enemy down: the rules tell it at once, in the order it happened...
    auto* enemy = new BasicEnemy(Vector3(0.0f, kFloorHeight + 4.0f, -5.0f), 0.0f, 20.0f);
    const std::uint64_t shotsHeard = Heard(Sound::Shot), killsHeard = Heard(Sound::EnemyDeath);
    game.Press(Action::Shoot);
    EXPECT_EQ(Kinds(events.All()), (std::vector<std::string>{"shot", "hit", "kill", "gone"}));
    EXPECT_EQ(std::get<EnemyHit>(events.All()[1]).enemy, enemy);
    EXPECT_EQ(std::get<EnemyGone>(events.All()[3]).enemy, enemy);
    // ...and nothing is shown or heard before the frame's update is done.
    EXPECT_EQ(feedback.markerLeft, 0.0f);
    EXPECT_EQ(Heard(Sound::Shot), shotsHeard);
    game.Present();
    EXPECT_TRUE(events.All().empty());
    EXPECT_EQ(Kinds(events.LastFrame()), (std::vector<std::string>{"shot", "hit", "kill", "gone"}));
    EXPECT_TRUE(feedback.markerKill);
    EXPECT_FLOAT_EQ(feedback.markerLeft, CombatFeedback::kKillMarkerSeconds) << "at full strength";
    EXPECT_TRUE(feedback.flashing.empty()) << "the freed enemy is not faded";
    EXPECT_EQ(Heard(Sound::Shot), shotsHeard + 1);
    EXPECT_EQ(Heard(Sound::EnemyDeath), killsHeard + 1);
    EXPECT_EQ(flow.kills, 1);
    EXPECT_EQ(Readout("kills"), "Kills: 1");

    // An enemy touching the player once the contact interval has passed: the hurt from its side.
    flow.GetListener()->ticksSinceDamage = flow.GetListener()->damageInterval + 1;
    const Vector3 p = player.GetPosition();
    auto* toucher = new BasicEnemy(Vector3(p.x() + 1.0f, p.y(), p.z()), 0.0f, 100.0f);
    for (int step = 0; step < 10 && player.health == 100; ++step)
        Step();
    ASSERT_EQ(player.health, 90);
    EXPECT_EQ(Kinds(events.LastFrame()), std::vector<std::string>{"hurt"});
    const PlayerHurt& hurt = Last<PlayerHurt>(events.LastFrame());
    EXPECT_EQ(hurt.amount, CoolEventListener::kContactDamage);
    EXPECT_EQ(hurt.source, ToVec3(toucher->GetPosition()));
    EXPECT_FLOAT_EQ(feedback.hurtLeft, CombatFeedback::kHurtSeconds);
    EXPECT_EQ(feedback.hurtSource, hurt.source);

    // Hurt, on the east pickup: one pickup used, heard where it was.
    const std::uint64_t pickupsHeard = Heard(Sound::PickupUsed);
    player.health = 50;
    PlaceAt(Vector3(15.0f, kFloorHeight + 1.2f, 0.0f));
    for (int step = 0; step < 60 && player.health == 50; ++step)
        Step();
    ASSERT_EQ(player.health, 60);
    EXPECT_EQ(Kinds(events.LastFrame()), std::vector<std::string>{"pickup"});
    EXPECT_EQ(Heard(Sound::PickupUsed), pickupsHeard + 1);

    // A fall below the limit: the death ends the game, and the next one starts in the same step.
    const std::uint64_t deathsHeard = Heard(Sound::Death);
    PlaceAt(Vector3(0.0f, PlayerObject::kFallLimit - 1.0f, 0.0f));
    Step();
    const std::vector<std::string> kinds = Kinds(events.LastFrame());
    ASSERT_FALSE(kinds.empty());
    EXPECT_EQ(kinds.front(), "death");
    EXPECT_EQ(kinds.back(), "start");
    EXPECT_TRUE(Last<PlayerDied>(events.LastFrame()).endsGame);
    EXPECT_EQ(Heard(Sound::Death), deathsHeard + 1);
    EXPECT_EQ(feedback.hurtLeft, 0.0f) << "the new game starts without the last one's effects";
    EXPECT_EQ(flow.kills, 0);
    EXPECT_EQ(Readout("kills"), "Kills: 0");
}

} // namespace
