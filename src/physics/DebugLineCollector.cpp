#include "physics/DebugLineCollector.h"

#include "physics/PhysicsTypes.h"

#include <iostream>

void DebugLineCollector::drawLine(const btVector3& from, const btVector3& to, const btVector3&) {
    lines.push_back(ToVec3(from));
    lines.push_back(ToVec3(to));
}

void DebugLineCollector::reportErrorWarning(const char* warning) {
    std::cout << "Bullet: " << warning << std::endl;
}
