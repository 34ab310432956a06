#include "game/GameSounds.h"

#include "audio/AudioService.h"

void PlayGameSounds(const std::vector<GameEvent>& events) {
    AudioService& audio = AudioService::GetInstance();
    for (const GameEvent& event : events)
        std::visit(EventHandlers{
                       [&](const ShotFired& shot) { audio.Play(Sound::Shot, shot.eye); },
                       [&](const EnemyHit& hit) { audio.Play(Sound::ShotHit, hit.point); },
                       [&](const EnemyKilled& kill) { audio.Play(Sound::EnemyDeath, kill.position); },
                       [&](const PlayerHurt& hurt) { audio.Play(Sound::ContactDamage, hurt.source); },
                       [&](const PickupUsed& pickup) { audio.Play(Sound::PickupUsed, pickup.position); },
                       [&](const WaveArrived& wave) { audio.Play(Sound::WaveArrival, wave.position); },
                       [&](const PlayerDied& death) {
                           if (death.endsGame)
                               audio.Play(Sound::Death);
                       },
                       [&](const GameStarted&) { audio.Play(Sound::GameStart); },
                       [&](const GameWon&) { audio.Play(Sound::Win); },
                       [](const auto&) {},
                   },
                   event);
}
