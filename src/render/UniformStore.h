#pragma once
// Named uniform values by kind, uploaded to a program when it is made current, with a
// per-program cache of uniform locations (names a program lacks are cached as -1 too).

#include "core/MathTypes.h"

#include <GL/glew.h>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class UniformStore {
public:
    void SetVec3(const std::string& name, const Vec3& value) { vec3s[name] = value; }
    void SetVec4(const std::string& name, const Vec4& value) { vec4s[name] = value; }
    void SetVec3Array(const std::string& name, const std::vector<Vec3>& values) { vec3Arrays[name] = values; }
    void SetVec4Array(const std::string& name, const std::vector<Vec4>& values) { vec4Arrays[name] = values; }
    void SetMat4(const std::string& name, const Mat4& value) { mat4s[name] = value; }
    void SetInt(const std::string& name, GLint value) { ints[name] = value; }
    void SetFloat(const std::string& name, float value) { floats[name] = value; }

    /// Uploads every value to `program`, which must be current: vec3, vec4, vec3 arrays,
    /// vec4 arrays, mat4, int, float, in that order. `toEveryProgram` says the store holds
    /// values for all programs (each takes those it declares), not for this one alone.
    void Apply(GLuint program, bool toEveryProgram = false);
    /// The cached location of `name` in `program`, asking GL only on the first request.
    GLint GetLocation(GLuint program, const std::string& name);

    /// What the run has asked of each program by name: whether the program declares the name,
    /// and whether the value was meant for it alone (a material's own values, a direct set) or
    /// offered to every program. Kept from the first request on, for the check that the code
    /// and the shaders agree on their names.
    struct Request {
        bool found = false;
        bool meantForThisProgram = false;
    };
    static const std::map<GLuint, std::map<std::string, Request>>& Requests();

    // Read access for the code that builds on the store (and for tests).
    const std::unordered_map<std::string, Vec3>& Vec3s() const { return vec3s; }
    const std::unordered_map<std::string, std::vector<Vec3>>& Vec3Arrays() const { return vec3Arrays; }
    const std::unordered_map<std::string, Mat4>& Mat4s() const { return mat4s; }
    const std::unordered_map<std::string, GLint>& Ints() const { return ints; }
    const std::unordered_map<std::string, float>& Floats() const { return floats; }
    std::size_t CachedLocationCount(GLuint program) const;

private:
    GLint Locate(GLuint program, const std::string& name, bool meantForThisProgram);

    std::unordered_map<std::string, Vec3> vec3s;
    std::unordered_map<std::string, Vec4> vec4s;
    std::unordered_map<std::string, std::vector<Vec3>> vec3Arrays;
    std::unordered_map<std::string, std::vector<Vec4>> vec4Arrays;
    std::unordered_map<std::string, Mat4> mat4s;
    std::unordered_map<std::string, GLint> ints;
    std::unordered_map<std::string, float> floats;
    std::unordered_map<GLuint, std::unordered_map<std::string, GLint>> locations;
};
