#pragma once
// Finds the contact shadows of the frame: for every enemy ball and health orb, the level's
// surface straight below it, found by a ray through the physics world that only reads it.

#include "render/ContactShadow.h"

#include <vector>

struct GameObject;
class PhysicsWorld;

/// The blobs under the enemies and orbs among `objects`, in list order; an object with no
/// level within reach below it casts none. Changes nothing in the world and draws no random
/// number.
std::vector<ContactShadow> FindContactShadows(const std::vector<GameObject*>& objects, PhysicsWorld& world);
