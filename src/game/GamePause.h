#pragma once
// Stopping a running game for a while: P pauses and resumes it, and losing the window's focus
// pauses it unless the player switched that off. While paused no fixed step runs (the clock,
// physics, waves and the game flow stand still), the sounds hold, "Paused" shows and the cursor
// is the desktop's again.

class GamePause {
public:
    static GamePause& GetInstance();

    /// Reads `Controls.pauseOnFocusLoss` (default true) and, the first time, binds the pause key
    /// and the window-focus action; from the game flow's set-up.
    void Init();
    /// Reads `Controls.pauseOnFocusLoss` again after the settings changed.
    void ApplySettings();
    /// P: pauses a running game, or resumes a paused one. Nothing on the start screen.
    void Toggle();
    /// The window gained or lost the focus. Losing it pauses a running game unless
    /// `Controls.pauseOnFocusLoss` is false; gaining it leaves the game paused until the player
    /// resumes it.
    void OnFocusChanged(bool focused);
    void Pause();
    void Resume();
    bool IsPaused() const { return paused; }

    /// "Paused" stands this far above the centre, clear of the crosshair.
    static constexpr float kPausedTextHeight = 140.0f;

private:
    GamePause() = default;

    bool paused = false;
    bool initialised = false;
    bool pauseOnFocusLoss = true;
};
