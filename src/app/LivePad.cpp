#include "app/LivePad.h"

#include "core/GamepadMappings.h"

LivePad& LivePad::GetInstance() {
    static LivePad instance;
    return instance;
}

void LivePad::Start() {
    LoadUserGamepadMappings();
}
