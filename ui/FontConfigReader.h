#pragma once
#include <thread>

// The system's font configuration takes milliseconds to read (every configuration file is parsed),
// and the first text the window measures would wait for it. A reader started before the toolkit
// connects to the display reads it on a thread of its own meanwhile; the toolkit then finds it
// loaded. Wait() before the first font is used, so that the two never read it at once.
class FontConfigReader {
public:
    FontConfigReader();
    ~FontConfigReader();
    FontConfigReader(const FontConfigReader&) = delete;
    FontConfigReader& operator=(const FontConfigReader&) = delete;

    void Wait();

private:
    std::thread reading_;
};
