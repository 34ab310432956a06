// GPU particle bursts: the initial records, the feedback passes and the registry's aging.
#include "render/ParticleRegistry.h"
#include "render/ParticleSystem.h"
#include "render/ShaderHandler.h"

#include "RenderTestUtil.h"
#include "core/Random.h"
#include "support/ConsoleCapture.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr float kFrame = 1.0f / 60.0f;

std::vector<ParticleRecord> RecordsOf(GLuint buffer, int count = ParticleSystem::kParticleCount) {
    std::vector<ParticleRecord> records(static_cast<std::size_t>(count));
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(records.size() * sizeof(ParticleRecord)),
                       records.data());
    return records;
}

int CountLines(const std::string& text, const std::string& line) {
    int count = 0;
    for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}

// The number of particles one Draw captured into its target buffer.
GLuint CapturedByDraw(ParticleSystem& system) {
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, query);
    system.Draw();
    glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);
    GLuint written = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &written);
    glDeleteQueries(1, &query);
    return written;
}

class ParticleTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::EnsureGLContext();
        ParticleRegistry::GetInstance().Clear();
    }
    void TearDown() override { ParticleRegistry::GetInstance().Clear(); }
};

} // namespace

TEST_F(ParticleTest, ABurstStartsAtItsPositionWithUnitDirectionsAndFullLife) {
    const Vec3 origin{1.0f, 2.0f, 3.0f};
    auto* system = new ParticleSystem(origin);
    EXPECT_EQ(ParticleRegistry::GetInstance().Count(), 1u);
    for (GLuint buffer : system->buffers) {
        GLint size = 0;
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
        EXPECT_EQ(size, 28000);
        GLint usage = 0;
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &usage);
        EXPECT_EQ(usage, GL_DYNAMIC_DRAW);
    }
    const std::vector<ParticleRecord> records = RecordsOf(system->buffers[0]);
    float lowest = 1.0f, highest = -1.0f;
    for (const ParticleRecord& record : records) {
        EXPECT_EQ(record.position, origin);
        EXPECT_NEAR(Length(record.velocity), 1.0f, 1e-5f);
        EXPECT_FLOAT_EQ(record.lifetime, 1.0f);
        lowest = std::min(lowest, record.velocity.y);
        highest = std::max(highest, record.velocity.y);
    }
    // The directions cover the whole sphere, not one hemisphere.
    EXPECT_LT(lowest, -0.9f);
    EXPECT_GT(highest, 0.9f);
    // Both buffers start with the same records.
    const std::vector<ParticleRecord> other = RecordsOf(system->buffers[1]);
    EXPECT_EQ(other[999].velocity, records[999].velocity);
}

TEST_F(ParticleTest, TheFirstRandomDrawOfAParticleSetsItsPitch) {
    std::srand(1234);
    const float a = static_cast<float>(Random());
    std::srand(1234);
    auto* system = new ParticleSystem({0.0f, 0.0f, 0.0f});
    const ParticleRecord first = RecordsOf(system->buffers[0], 1)[0];
    // a = 0 points straight down, a = 32767 straight up.
    const float pitch = (a / 32767.0f * 180.0f - 90.0f) * 0.017453292f;
    EXPECT_NEAR(first.velocity.y, std::sin(pitch), 1e-6f);
}

TEST_F(ParticleTest, EachDrawMovesAgesAndCapturesTheLivingParticles) {
    auto* system = new ParticleSystem({0.0f, 0.0f, 0.0f});
    const std::vector<ParticleRecord> start = RecordsOf(system->buffers[0]);
    ShaderHandler& shaders = ShaderHandler::GetInstance();
    shaders.BeginFrame(0.1f);
    testing_support::ConsoleCapture console;

    EXPECT_EQ(CapturedByDraw(*system), 1000u);
    EXPECT_EQ(glIsEnabled(GL_RASTERIZER_DISCARD), GL_FALSE);
    // Only the position array stays enabled for the draws that follow.
    GLint enabled[3] = {};
    for (GLuint location = 0; location < 3; ++location)
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled[location]);
    EXPECT_EQ(enabled[0], GL_TRUE);
    EXPECT_EQ(enabled[1], GL_FALSE);
    EXPECT_EQ(enabled[2], GL_FALSE);
    // The first pass wrote into buffer 1, which the next pass reads.
    EXPECT_EQ(system->currentSource, 1);
    EXPECT_EQ(system->currentTarget, 0);
    const std::vector<ParticleRecord> moved = RecordsOf(system->buffers[1]);
    for (std::size_t i = 0; i < moved.size(); i += 97) {
        EXPECT_NEAR(moved[i].lifetime, 0.9f, 1e-5f);
        // Straight out along the particle's own direction.
        const Vec3 step = moved[i].position - start[i].position;
        EXPECT_GT(Length(step), 0.0f);
        EXPECT_NEAR(Dot(Normalize(step), start[i].velocity), 1.0f, 1e-4f);
    }

    // The second pass feeds on what the first captured, in the other direction.
    EXPECT_EQ(CapturedByDraw(*system), 1000u);
    EXPECT_NEAR(RecordsOf(system->buffers[0], 1)[0].lifetime, 0.8f, 1e-5f);
    EXPECT_EQ(system->currentSource, 0);

    // Past their lifetime the particles are dropped from the captured output.
    shaders.BeginFrame(1.0f);
    EXPECT_EQ(CapturedByDraw(*system), 0u);
    EXPECT_EQ(CapturedByDraw(*system), 0u);
    EXPECT_EQ(CountLines(console.Text(), "Drawing particle system\n"), 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleTest, ABurstIsDrawnOnSixtyOneFramesAndReleasedOnTheNext) {
    auto* system = new ParticleSystem({0.0f, 1.0f, 0.0f});
    const GLuint buffers[2] = {system->buffers[0], system->buffers[1]};
    const GLuint feedbacks[2] = {system->feedbacks[0], system->feedbacks[1]};
    ParticleRegistry& registry = ParticleRegistry::GetInstance();
    int drawnFrames = 0;
    int frame = 0;
    for (; frame < 100 && registry.Count() > 0; ++frame) {
        testing_support::ConsoleCapture console;
        ShaderHandler::GetInstance().BeginFrame(kFrame);
        registry.Update(kFrame);
        const int lines = CountLines(console.Text(), "Drawing particle system");
        EXPECT_LE(lines, 1);
        if (lines == 1) {
            // Drawn on consecutive frames from the first one.
            EXPECT_EQ(drawnFrames, frame);
            ++drawnFrames;
        }
    }
    EXPECT_EQ(drawnFrames, 61);
    EXPECT_EQ(frame, 62);
    EXPECT_EQ(registry.Count(), 0u);
    // The registry's removal released the burst's GL objects.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(glIsBuffer(buffers[i]), GL_FALSE);
        EXPECT_EQ(glIsTransformFeedback(feedbacks[i]), GL_FALSE);
    }
}

TEST_F(ParticleTest, BurstsAreIndependentAndAddingTwiceKeepsTheTime) {
    ParticleRegistry& registry = ParticleRegistry::GetInstance();
    auto* first = new ParticleSystem({0.0f, 0.0f, 0.0f});
    registry.Update(0.5f);
    auto* second = new ParticleSystem({0.0f, 0.0f, 0.0f});
    EXPECT_NE(first->buffers[0], second->buffers[0]);
    // Re-adding the older burst does not give it a fresh second.
    registry.Add(first);
    EXPECT_EQ(registry.Count(), 2u);
    testing_support::ConsoleCapture console;
    registry.Update(0.6f);
    EXPECT_EQ(CountLines(console.Text(), "Drawing particle system"), 2);
    console.Clear();
    // The first burst is now below zero and goes; the second lives on.
    registry.Update(0.1f);
    EXPECT_EQ(registry.Count(), 1u);
    EXPECT_EQ(CountLines(console.Text(), "Drawing particle system"), 1);
}

TEST_F(ParticleTest, PreparedBurstsReuseSpareBuffersAndOnlyTheOverflowIsReleased) {
    ParticleRegistry& registry = ParticleRegistry::GetInstance();
    registry.Prepare();
    ASSERT_EQ(registry.SpareCount(), ParticleRegistry::kSpareBursts);
    GLuint next = 0;
    glGenBuffers(1, &next);
    glDeleteBuffers(1, &next);
    // More live bursts than spares: the extra ones make buffers of their own.
    std::vector<ParticleSystem*> bursts;
    for (std::size_t i = 0; i < ParticleRegistry::kSpareBursts + 2; ++i)
        bursts.push_back(new ParticleSystem({0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(registry.SpareCount(), 0u);
    EXPECT_LT(bursts.front()->buffers[0], next) << "the first bursts run on buffers made in Prepare";
    const GLuint overflow = bursts.back()->buffers[0];
    EXPECT_GE(overflow, next);

    registry.Update(1.5f);
    registry.Update(0.1f);
    EXPECT_EQ(registry.Count(), 0u);
    EXPECT_EQ(registry.SpareCount(), ParticleRegistry::kSpareBursts);
    EXPECT_EQ(glIsBuffer(overflow), GL_FALSE) << "buffers beyond the spares go with their burst";
    // The next burst takes a spare again and starts afresh in both buffers, not where the last
    // burst on them ended.
    auto* again = new ParticleSystem({5.0f, 0.0f, 0.0f});
    EXPECT_LT(again->buffers[0], next);
    for (GLuint buffer : again->buffers) {
        const ParticleRecord record = RecordsOf(buffer)[999];
        EXPECT_EQ(record.position, (Vec3{5.0f, 0.0f, 0.0f}));
        EXPECT_FLOAT_EQ(record.lifetime, 1.0f);
    }
    registry.Clear();
    EXPECT_EQ(registry.SpareCount(), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
