#pragma once
// Captures what the game writes to std::cout (and optionally std::cerr) while it is alive.

#include <iostream>
#include <sstream>
#include <string>

namespace testing_support {

class ConsoleCapture {
public:
    explicit ConsoleCapture(std::ostream& stream = std::cout)
        : stream(stream), previous(stream.rdbuf(buffer.rdbuf())) {}
    ~ConsoleCapture() { stream.rdbuf(previous); }
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    std::string Text() const { return buffer.str(); }
    void Clear() { buffer.str(""); }
    bool Contains(const std::string& line) const { return buffer.str().find(line) != std::string::npos; }

private:
    std::ostream& stream;
    std::ostringstream buffer;
    std::streambuf* previous;
};

} // namespace testing_support
