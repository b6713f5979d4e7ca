// Collects what the code under test prints to standard output (the C
// runtime's descriptor 1) for the length of a scope.
#pragma once

#include <string>

class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Everything printed so far.
    std::string Text();

private:
    std::string m_path;
    int m_saved = -1;
};
