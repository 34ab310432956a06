#include "render/UniformStore.h"

void UniformStore::Apply(GLuint program) {
    for (const auto& [name, value] : vec3s)
        glUniform3fv(GetLocation(program, name), 1, &value.x);
    for (const auto& [name, value] : vec4s)
        glUniform4fv(GetLocation(program, name), 1, &value.x);
    for (const auto& [name, values] : vec3Arrays)
        glUniform3fv(GetLocation(program, name), static_cast<GLsizei>(values.size()),
                     values.empty() ? nullptr : &values[0].x);
    for (const auto& [name, values] : vec4Arrays)
        glUniform4fv(GetLocation(program, name), static_cast<GLsizei>(values.size()),
                     values.empty() ? nullptr : &values[0].x);
    for (const auto& [name, value] : mat4s)
        glUniformMatrix4fv(GetLocation(program, name), 1, GL_FALSE, value.m);
    for (const auto& [name, value] : ints)
        glUniform1i(GetLocation(program, name), value);
    for (const auto& [name, value] : floats)
        glUniform1f(GetLocation(program, name), value);
}

GLint UniformStore::GetLocation(GLuint program, const std::string& name) {
    auto& names = locations[program];
    auto found = names.find(name);
    if (found != names.end())
        return found->second;
    GLint location = glGetUniformLocation(program, name.c_str());
    names.emplace(name, location);
    return location;
}

std::size_t UniformStore::CachedLocationCount(GLuint program) const {
    auto found = locations.find(program);
    return found == locations.end() ? 0 : found->second.size();
}
