#include "game/HitScanWeapon.h"

#include "render/Camera.h"

HitScanWeapon::HitScanWeapon() : camera(Camera::GetInstance()) {}

float HitScanWeapon::NotifyRaycastHit(const RaycastInfo&) {
    hit = true;
    return 0.0f;
}
