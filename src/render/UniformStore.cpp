#include "render/UniformStore.h"

void UniformStore::Apply(GLuint program, bool toEveryProgram) {
    const bool own = !toEveryProgram;
    for (const auto& [name, value] : vec3s)
        glUniform3fv(Locate(program, name, own), 1, &value.x);
    for (const auto& [name, value] : vec4s)
        glUniform4fv(Locate(program, name, own), 1, &value.x);
    for (const auto& [name, values] : vec3Arrays)
        glUniform3fv(Locate(program, name, own), static_cast<GLsizei>(values.size()),
                     values.empty() ? nullptr : &values[0].x);
    for (const auto& [name, values] : vec4Arrays)
        glUniform4fv(Locate(program, name, own), static_cast<GLsizei>(values.size()),
                     values.empty() ? nullptr : &values[0].x);
    for (const auto& [name, value] : mat4s)
        glUniformMatrix4fv(Locate(program, name, own), 1, GL_FALSE, value.m);
    for (const auto& [name, value] : ints)
        glUniform1i(Locate(program, name, own), value);
    for (const auto& [name, value] : floats)
        glUniform1f(Locate(program, name, own), value);
}

namespace {
std::map<GLuint, std::map<std::string, UniformStore::Request>>& RequestRecord() {
    static std::map<GLuint, std::map<std::string, UniformStore::Request>> record;
    return record;
}
} // namespace

const std::map<GLuint, std::map<std::string, UniformStore::Request>>& UniformStore::Requests() {
    return RequestRecord();
}

GLint UniformStore::GetLocation(GLuint program, const std::string& name) {
    return Locate(program, name, true);
}

GLint UniformStore::Locate(GLuint program, const std::string& name, bool meantForThisProgram) {
    auto& names = locations[program];
    auto found = names.find(name);
    if (found != names.end())
        return found->second;
    GLint location = glGetUniformLocation(program, name.c_str());
    names.emplace(name, location);
    // Once per store, program and name: off the frame path after the first frames.
    Request& request = RequestRecord()[program][name];
    request.found = location != -1;
    request.meantForThisProgram = request.meantForThisProgram || meantForThisProgram;
    return location;
}

std::size_t UniformStore::CachedLocationCount(GLuint program) const {
    auto found = locations.find(program);
    return found == locations.end() ? 0 : found->second.size();
}
