#pragma once

#include <thread>

// Reads the system's font configuration on a second thread. The first font the window
// measures would otherwise read it on the main thread, and reading it (some fifty XML
// files) is the largest single cost before the window can be shown. Made before the
// application object, it overlaps the connection to the display. Where fonts are not
// configured this way it does nothing.
class FontConfigWarmup
{
public:
    FontConfigWarmup();
    ~FontConfigWarmup();
    FontConfigWarmup(const FontConfigWarmup &) = delete;
    FontConfigWarmup &operator=(const FontConfigWarmup &) = delete;

    // Returns once the configuration is read, so that nothing reads it twice.
    void wait();

private:
    std::thread m_thread;
};
