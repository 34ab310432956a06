#include "render/Mesh.h"

#include "game/GameWorld.h"
#include "physics/PhysicsCommon.h"

// Lives apart from the GL side of Mesh: the collision shape belongs to the game world's
// physics factory, which keeps it until exit.
CollisionShape* Mesh::CreateConcaveShape() {
    concaveShape = GameWorld::GetInstance().GetPhysicsCommon().CreateConcaveMeshShape(positions, indices);
    return concaveShape;
}
