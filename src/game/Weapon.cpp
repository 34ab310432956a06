#include "game/Weapon.h"

float Weapon::GetDamage() {
    return damage;
}

std::vector<std::string> Weapon::GetStats() {
    return DescribeAs(name, damage);
}

std::string Weapon::FormatFigure(float value) {
    const int tenths = static_cast<int>(value * 10.0f);
    return std::to_string(tenths / 10);
}

std::vector<std::string> Weapon::DescribeAs(const std::string& title, float shownDamage) const {
    return {title, "Damage: " + FormatFigure(shownDamage), "Speed Mod: " + FormatFigure(speedMod),
            "Health Mod: " + FormatFigure(healthMod), "Cool Down: " + FormatFigure(coolDown)};
}
