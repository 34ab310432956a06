#pragma once
// The flow of play: the start screen, the start of each game (world reset, level, gun,
// pickups, lights, a fresh contact listener and spawner), the five-minute countdown, the win
// and death messages and the automatic next game. Also owns the HUD readouts and the count
// of kills of the current game.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TextHandler;
class InputHandler;
struct CoolEventListener;
struct EnemySpawner;
struct PointLight;

class GameLoop {
public:
    static GameLoop& GetInstance();

    /// Writes the start screen and binds Space to leave it.
    void Init();
    /// One fixed step of the flow: what the rules reported, then start screen, game start, or a
    /// running game.
    void Update(float dt);
    /// Takes in the kills and deaths reported since the flow last looked, in the order they
    /// happened. The world runs this before the steps too, so a shot fired between frames counts
    /// before anything else of the frame.
    void ReadEvents();
    /// The player died: a new game starts on the next step, with "You Died" shown if asked.
    void OnPlayerDeath(bool showMessage);
    /// Builds the level, the gun, three pickups and two coloured point lights.
    void LoadLevel();
    /// An enemy was shot down: one more kill for the running game (none once it is over).
    void OnEnemyKilled();
    void UpdateCounter();
    void UpdateKills();
    void UpdateHealth();
    void UpdateWeapon();
    /// Called once when a game ends, won or lost, with the seconds it lasted and its kills; the
    /// live game keeps its records this way (nothing is called in a replay or a benchmark).
    void SetGameEndListener(std::function<void(float seconds, int kills)> listener) {
        onGameEnded = std::move(listener);
    }
    /// One more line on the start screen (the best game so far); nothing removes it.
    void SetStartScreenLine(const std::optional<std::string>& line);
    /// Lets go of the listener, the spawner and the level lights (at exit).
    void Release();

    CoolEventListener* GetListener() const { return listener.get(); }
    EnemySpawner* GetSpawner() const { return spawner.get(); }

    /// The kills readout sits this far left of the centred timer (the frame rate has the right).
    static constexpr float kKillsOffset = -150.0f;

    TextHandler& text;
    InputHandler& input;
    float gameDuration = 300.0f;
    float timeRemaining = 0.0f;
    bool startPending = false;
    bool started = false;
    float deathMessageTimer = 0.0f;
    float winMessageTimer = 0.0f;
    /// Enemies shot down since the current game started.
    int kills = 0;

private:
    GameLoop();
    ~GameLoop();
    void OnStartPressed();
    void StartNewGame();
    void TickRunningGame(float dt);
    void ReportGameEnd();

    std::unique_ptr<CoolEventListener> listener;
    std::unique_ptr<EnemySpawner> spawner;
    std::vector<std::unique_ptr<PointLight>> levelLights;
    std::function<void(float, int)> onGameEnded;
    /// The running game's end has been reported (a death after the win is the same game).
    bool endReported = false;
};
