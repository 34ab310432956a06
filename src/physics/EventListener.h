#pragma once
// Trigger reports after each physics step: the overlapping trigger pairs of this step,
// followed by the pairs whose overlap ended in this step.

#include <vector>

class Collider;

struct OverlapPair {
    enum class Event { OverlapStart, OverlapStay, OverlapExit };
    /// Null once a body of the pair was destroyed earlier in the same report.
    Collider* collider1 = nullptr;
    Collider* collider2 = nullptr;
    Event event = Event::OverlapStart;
};

/// The pairs of one report. A body destroyed by the listener while it walks the report
/// nulls the colliders of its later pairs instead of leaving them dangling.
class OverlapCallbackData {
public:
    std::size_t GetNbOverlappingPairs() const { return pairs.size(); }
    const OverlapPair& GetOverlappingPair(std::size_t index) const { return pairs[index]; }

    std::vector<OverlapPair> pairs;
};

class EventListener {
public:
    virtual ~EventListener() = default;
    virtual void OnTrigger(const OverlapCallbackData& data) { (void)data; }
};
