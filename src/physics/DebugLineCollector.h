#pragma once
// Bullet's debug drawer for the collision view: keeps every wireframe segment Bullet draws
// as a pair of world-space points, for the view to upload as lines.

#include "core/MathTypes.h"

#include <LinearMath/btIDebugDraw.h>

#include <vector>

class DebugLineCollector final : public btIDebugDraw {
public:
    /// Segments are appended to `lines`, which the caller owns and which must outlive this.
    explicit DebugLineCollector(std::vector<Vec3>& lines) : lines(lines) {}

    void drawLine(const btVector3& from, const btVector3& to, const btVector3& color) override;
    void clearLines() override { lines.clear(); }
    void drawContactPoint(const btVector3&, const btVector3&, btScalar, int, const btVector3&) override {}
    void reportErrorWarning(const char* warning) override;
    void draw3dText(const btVector3&, const char*) override {}
    void setDebugMode(int mode) override { debugMode = mode; }
    int getDebugMode() const override { return debugMode; }

private:
    std::vector<Vec3>& lines;
    int debugMode = DBG_DrawWireframe;
};
