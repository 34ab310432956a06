#include "render/ParticleBuffers.h"

ParticleBuffers ParticleBuffers::Create() {
    ParticleBuffers made;
    for (int i = 0; i < 2; ++i) {
        made.buffers[i] = GlObject::NewBuffer();
        made.feedbacks[i] = GlObject::NewTransformFeedback();
        glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, made.feedbacks[i].Get());
        glBindBuffer(GL_ARRAY_BUFFER, made.buffers[i].Get());
        glBufferData(GL_ARRAY_BUFFER, kBytes, nullptr, GL_DYNAMIC_DRAW);
        glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, made.buffers[i].Get());
    }
    return made;
}

void ParticleBuffers::Abandon() {
    for (int i = 0; i < 2; ++i) {
        buffers[i].Abandon();
        feedbacks[i].Abandon();
    }
}
