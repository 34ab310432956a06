#pragma once
// The input layer: keys, mouse buttons, mouse motion and the gamepad become one ActionRecord a
// frame, through the bindings, and the game is handed that record alone. The window's callbacks
// only queue what happened; BuildRecord() turns the queue, the held inputs, the cursor and the
// pad's frame into the record, and Apply() hands a record (live or replayed) to the game: the
// handlers of each pressed action in order, the held actions for the steps, the turn for the view.

#include "core/ActionRecord.h"
#include "core/InputBindings.h"
#include "core/InputMouseLook.h"
#include "core/PadFrame.h"

#include <bitset>
#include <functional>
#include <vector>

class InputHandler {
public:
    using Handler = std::function<void()>;
    using FocusAction = std::function<void(bool focused)>;

    static InputHandler& GetInstance();

    /// Installs the key, mouse-button and focus callbacks on the window whose context is current,
    /// and reads the bindings and the mouse look from the settings.
    void InstallCallbacks();
    /// Reads [Bindings] and the mouse look from the settings again (the defaults for what they
    /// do not say); problems are one line each on the console.
    void ReadSettings();

    InputBindings& Bindings() { return bindings; }
    const MouseLook& GetMouseLook() const { return look; }
    void SetMouseLook(const MouseLook& settings) { look = settings; }

    /// Appends a handler run whenever the action is pressed; handlers of one action run in the
    /// order they were registered.
    void RegisterAction(Action action, Handler handler);
    /// Appends an action run with the new state whenever the window gains or loses the focus.
    void RegisterFocusCallback(FocusAction action);
    /// Number of handlers of an action; for tests and diagnostics.
    std::size_t HandlerCount(Action action) const;

    /// What the window callbacks do: a press or release of a key (GLFW code) or mouse button
    /// (0-7) is queued for the next record; repeats are nothing.
    void OnKey(int key, int glfwAction);
    void OnMouseButton(int button, int glfwAction);
    void OnFocus(bool focused);
    /// The pad's frame for the next record, from whoever reads the pad; used once.
    void SetPadFrame(PadFrame frame) { pad = std::move(frame); }
    /// Asked when a pad goes away: whether a game is running unpaused, and so wants pausing.
    void SetPauseWanted(std::function<bool()> running) { pauseWanted = std::move(running); }

    /// The frame's record from everything that came in since the last one. The cursor is read
    /// (and put back in the centre) only while the window holds it for mouse look.
    ActionRecord BuildRecord();
    /// Hands a record to the game: its held actions and turn are what the steps and the view
    /// read, then the pressed actions' handlers and the focus actions run in the record's order.
    void Apply(const ActionRecord& record);
    /// Runs the handlers of one action now; scripted play presses so.
    void Press(Action action);
    /// Presses an action in the next record, as if the player had: a menu's Start or Resume
    /// reaches the game (and a recording) this way.
    void QueueAction(Action action) { queuedActions.push_back(action); }
    /// Which actions reach the game: while a menu is open the game's own are held back (neither
    /// pressed nor held in the record). Empty: all of them.
    void SetActionGate(std::function<bool(Action)> allows) { gate = std::move(allows); }
    /// The input codes pressed for the last record, in order, whatever they are bound to: a
    /// menu waiting for a new binding takes the first.
    const std::vector<int>& PressedCodes() const { return pressedCodes; }
    /// While held, the records turn the view by nothing: a menu is open over the game.
    void SetLookHeld(bool held) { lookHeld = held; }
    /// Quit pressed while the frame loop waits for its next frame is answered at once: a frame
    /// cap so low that no frame is due still lets the player leave.
    void AnswerQuitBetweenFrames();

    /// Whether the steps see the action held: held in the applied record, or held by script.
    bool IsHeld(Action action) const;
    /// Holds an action down as if the player did; scripted play (tests, benchmark) walks so.
    void SetSimulatedAction(Action action, bool down);
    /// Moves the mouse by whole pixels for the next record, as if the player did: turned by the
    /// mouse look like the cursor's own travel, captured or not.
    void MoveSimulatedMouse(int right, int down) {
        simulatedRight += right;
        simulatedDown += down;
    }
    /// The applied record's turn, once: the view takes it after the frame's steps, and a frame
    /// that takes none (a paused one) lets it go.
    ViewTurn TakeTurn();

private:
    InputHandler() = default;
    void Queue(int code, bool down);
    void Dispatch(Action action);

    struct Queued {
        int code = 0;
        bool down = false;
        bool focus = false;
    };

    InputBindings bindings;
    MouseLook look;
    std::vector<Handler> handlers[kActionCount];
    std::vector<FocusAction> focusCallbacks;
    std::vector<Queued> queue;
    bool toldOfDroppedEvents = false;
    std::bitset<InputCode::kEnd> heldInputs;
    PadFrame pad;
    std::function<bool()> pauseWanted;
    std::uint32_t appliedHeld = 0;
    std::uint32_t simulatedHeld = 0;
    int simulatedRight = 0;
    int simulatedDown = 0;
    ViewTurn pendingTurn;
    std::vector<Action> queuedActions;
    std::function<bool(Action)> gate;
    std::vector<int> pressedCodes;
    bool lookHeld = false;
};
