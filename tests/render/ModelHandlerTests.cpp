// Reading .obj files into meshes (one vertex per face corner) and the library's caches.
#include "render/ModelHandler.h"

#include "RenderTestUtil.h"
#include "support/ConsoleCapture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const kQuad = R"(v 0 0 0
v 1 0 0
v 1 1 0
v 0 1 0
vt 0 0
vt 1 0
vt 1 1
vt 0 1
vn 0 0 1
f 1/1/1 2/2/1 3/3/1 4/4/1
)";

const char* const kTwoShapes = R"(o first
v 0 0 0
v 1 0 0
v 0 1 0
vt 0 0
vn 0 0 1
f 1/1/1 2/1/1 3/1/1
o second
v 5 0 0
v 6 0 0
v 5 1 0
f 4/1/1 5/1/1 6/1/1
)";

const char* const kNoNormalsOrUvs = R"(v 1 2 3
v 4 5 6
v 7 8 9
vn 0 1 0
f 1 2 3
f 1//1 2//1 3//1
)";

const char* const kIndicesPastTheEnd = R"(v 0 0 0
v 1 0 0
v 0 1 0
vt 0.5 0.5
vn 0 0 1
f 1/1/1 2/7/9 9/1/1
)";

std::unique_ptr<Mesh> Load(const render_test::ScratchDir& dir, const char* name, const char* text) {
    return std::unique_ptr<Mesh>(LoadModel(dir.Write(name, text)));
}

bool SameVec3(const Vec3& a, const Vec3& b) {
    return a == b;
}

} // namespace

TEST(ModelLoading, AQuadBecomesSixCornersNumberedInOrder) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("obj-quad");
    const auto mesh = Load(dir, "quad.obj", kQuad);
    ASSERT_EQ(mesh->positions.size(), 6u);
    EXPECT_EQ(mesh->normals.size(), 6u);
    EXPECT_EQ(mesh->uvs.size(), 6u);
    EXPECT_EQ(mesh->indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    // Every corner of the quad is used, and each corner keeps its own texture coordinate.
    for (const Vec3 corner : {Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{1, 1, 0}, Vec3{0, 1, 0}})
        EXPECT_TRUE(std::any_of(mesh->positions.begin(), mesh->positions.end(),
                                [&](const Vec3& p) { return SameVec3(p, corner); }));
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(mesh->uvs[i].x, mesh->positions[i].x);
        EXPECT_FLOAT_EQ(mesh->uvs[i].y, mesh->positions[i].y);
        EXPECT_EQ(mesh->normals[i], (Vec3{0, 0, 1}));
    }
    // The GL buffers hold what the CPU copies hold.
    GLint indexBytes = 0;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->indexBuffer);
    glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &indexBytes);
    EXPECT_EQ(indexBytes, 6 * 4);
    Vec3 uploaded[6];
    glBindBuffer(GL_ARRAY_BUFFER, mesh->positionBuffer);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(uploaded), uploaded);
    EXPECT_EQ(uploaded[5], mesh->positions[5]);
    Vec2 uvs[6];
    glBindBuffer(GL_ARRAY_BUFFER, mesh->uvBuffer);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(uvs), uvs);
    EXPECT_FLOAT_EQ(uvs[5].x, mesh->uvs[5].x);
}

TEST(ModelLoading, SeveralShapesRunOnInOneMesh) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("obj-shapes");
    const auto mesh = Load(dir, "shapes.obj", kTwoShapes);
    EXPECT_EQ(mesh->indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    ASSERT_EQ(mesh->positions.size(), 6u);
    // The second shape's corners follow the first shape's, in file order.
    EXPECT_EQ(mesh->positions[0], (Vec3{0, 0, 0}));
    EXPECT_EQ(mesh->positions[3], (Vec3{5, 0, 0}));
    EXPECT_EQ(mesh->positions[5], (Vec3{5, 1, 0}));
}

TEST(ModelLoading, CornersWithoutNormalsOrUvsGetZeros) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("obj-bare");
    const auto mesh = Load(dir, "bare.obj", kNoNormalsOrUvs);
    ASSERT_EQ(mesh->positions.size(), 6u);
    EXPECT_EQ(mesh->positions[1], (Vec3{4, 5, 6}));
    EXPECT_EQ(mesh->normals[0], (Vec3{0, 0, 0}));
    EXPECT_FLOAT_EQ(mesh->uvs[0].x, 0.0f);
    EXPECT_FLOAT_EQ(mesh->uvs[0].y, 0.0f);
    // The second face names its normals and keeps them.
    EXPECT_EQ(mesh->normals[3], (Vec3{0, 1, 0}));
}

TEST(ModelLoading, IndicesPastTheEndFallBackAndTheWarningIsPrinted) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("obj-past-end");
    testing_support::ConsoleCapture console;
    const auto mesh = Load(dir, "past.obj", kIndicesPastTheEnd);
    EXPECT_EQ(console.Text().rfind("TinyObjReader: ", 0), 0u) << console.Text();
    ASSERT_EQ(mesh->positions.size(), 3u);
    EXPECT_FLOAT_EQ(mesh->uvs[0].x, 0.5f);
    EXPECT_EQ(mesh->normals[0], (Vec3{0, 0, 1}));
    // Corner 2 names texture coordinate 7 and normal 9, corner 3 vertex 9: none exists.
    EXPECT_FLOAT_EQ(mesh->uvs[1].x, 0.0f);
    EXPECT_EQ(mesh->normals[1], (Vec3{0, 0, 0}));
    EXPECT_EQ(mesh->positions[2], (Vec3{0, 0, 0}));
}

TEST(ModelLoading, UnreadableFilesEndTheProcessWithStatusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    render_test::ScratchDir dir("obj-broken");
    const std::string broken = dir.Write("broken.obj", "v 0 0 0\nf 1 2 x\n");
    EXPECT_EXIT(LoadModel(broken), ::testing::ExitedWithCode(1), "^TinyObjReader: ");
    EXPECT_EXIT(LoadModel(dir.PathOf("missing.obj")), ::testing::ExitedWithCode(1),
                "TinyObjReader: .*missing.obj");
}

TEST(ModelLoading, DeletingAMeshReleasesItsBuffers) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("obj-release");
    auto mesh = Load(dir, "quad.obj", kQuad);
    const GLuint buffers[4] = {mesh->positionBuffer, mesh->indexBuffer, mesh->normalBuffer, mesh->uvBuffer};
    for (GLuint buffer : buffers)
        EXPECT_EQ(glIsBuffer(buffer), GL_TRUE);
    mesh.reset();
    for (GLuint buffer : buffers)
        EXPECT_EQ(glIsBuffer(buffer), GL_FALSE);
}

TEST(ModelHandlerCache, ARepeatedPathReturnsTheSameMeshWithoutReadingAgain) {
    testing_support::EnsureGLContext();
    render_test::ScratchDir dir("obj-cache");
    const std::string path = dir.Write("cached.obj", kQuad);
    ModelHandler& models = ModelHandler::GetInstance();
    Mesh* first = models.GetModel(path);
    // With the file gone a second read would end the process.
    std::filesystem::remove(path);
    EXPECT_EQ(models.GetModel(path), first);
}
