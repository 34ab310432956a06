#pragma once
// Stand-ins for the game's settings and binding table, for the menu tests: values in a map,
// and every bind and restore kept in order.

#include "ui/MenuAccess.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace menu_test {

class FakeSettings : public MenuSettings {
public:
    std::optional<double> Number(std::string_view key) const override {
        const auto found = numbers.find(std::string(key));
        return found == numbers.end() ? std::nullopt : std::optional<double>(found->second);
    }
    std::optional<std::string> Choice(std::string_view key) const override {
        const auto found = choices.find(std::string(key));
        return found == choices.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    void SetNumber(std::string_view key, double value) override { numbers[std::string(key)] = value; }
    void SetChoice(std::string_view key, const std::string& value) override {
        choices[std::string(key)] = value;
    }

    std::map<std::string, double> numbers;
    std::map<std::string, std::string> choices;
};

class FakeBindings : public MenuBindings {
public:
    struct Bound {
        Action action;
        int slot;
        int code;
        bool operator==(const Bound&) const = default;
    };

    std::vector<Action> Actions() const override { return {Action::Forward, Action::Jump, Action::Pause}; }
    std::string InputName(Action action, int slot) const override {
        const auto found = names.find({action, slot});
        return found == names.end() ? "" : found->second;
    }
    void Bind(Action action, int slot, int code) override {
        bound.push_back({action, slot, code});
        names[{action, slot}] = "code " + std::to_string(code);
    }
    void RestoreDefaults() override { ++restores; }
    bool EscapeOpensPause() const override { return escapePauses; }
    void SetEscapeOpensPause(bool on) override { escapePauses = on; }

    std::map<std::pair<Action, int>, std::string> names{{{Action::Forward, 0}, "W"},
                                                        {{Action::Forward, 1}, "Up"}};
    std::vector<Bound> bound;
    int restores = 0;
    bool escapePauses = false;
};

} // namespace menu_test
