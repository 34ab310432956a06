#include "game/GamePause.h"

#include "audio/AudioService.h"
#include "core/ConfigHandler.h"
#include "core/InputHandler.h"
#include "game/GameLoop.h"
#include "render/Camera.h"
#include "ui/TextHandler.h"

GamePause& GamePause::GetInstance() {
    static GamePause instance;
    return instance;
}

void GamePause::Init() {
    ApplySettings();
    if (initialised)
        return;
    initialised = true;
    InputHandler& input = InputHandler::GetInstance();
    input.RegisterAction(Action::Pause, [this] { Toggle(); });
    input.RegisterFocusCallback([this](bool focused) { OnFocusChanged(focused); });
    input.SetPauseWanted([this] { return !paused && GameLoop::GetInstance().started; });
}

void GamePause::ApplySettings() {
    pauseOnFocusLoss = ConfigHandler::GetInstance().GetBoolSetting("Controls.pauseOnFocusLoss");
}

void GamePause::Toggle() {
    if (paused)
        Resume();
    else
        Pause();
}

void GamePause::OnFocusChanged(bool focused) {
    if (!focused && pauseOnFocusLoss)
        Pause();
}

void GamePause::Pause() {
    // Only a game in play can be paused: the start screen has no clock to stop.
    if (paused || !GameLoop::GetInstance().started)
        return;
    paused = true;
    AudioService::GetInstance().PauseAll();
    TextHandler::GetInstance().SetText(
        "paused", TextEntry{"Paused", kLargeFont, Center, {0.0f, kPausedTextHeight}, kTextWhite});
    Camera::GetInstance().SetCursorCaptured(false);
}

void GamePause::Resume() {
    if (!paused)
        return;
    paused = false;
    AudioService::GetInstance().ResumeAll();
    TextHandler::GetInstance().RemoveText("paused");
    Camera::GetInstance().SetCursorCaptured(true);
}
