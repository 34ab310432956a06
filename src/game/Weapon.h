#pragma once
// What every weapon the player can carry has in common: its figures and how it describes
// them to the HUD. Firing is up to the concrete weapon.

#include <string>
#include <vector>

class Weapon {
public:
    /// One shot; the answer is the weapon's own and callers may ignore it.
    virtual float Fire() = 0;
    /// Writes the weapon's gauge line to standard output.
    virtual void PrintStatus() = 0;
    virtual float GetDamage();
    /// The HUD's lines, top to bottom: the name, then damage, speed, health and cool-down.
    virtual std::vector<std::string> GetStats();
    virtual ~Weapon() = default;

    /// A figure as the HUD shows it: tenths are kept only to be dropped again by an integer
    /// division, so 10.0 reads 10, 0.5 reads 0 and -1.5 reads -1.
    static std::string FormatFigure(float value);

    float damage = 10.0f;
    float speedMod = 1.0f;
    float healthMod = 1.0f;
    float coolDown = 1.0f;
    float gauge = 100.0f;
    std::string name = "Weapon";

protected:
    /// The description with a given title and damage figure, shared by every weapon.
    std::vector<std::string> DescribeAs(const std::string& title, float shownDamage) const;
};
