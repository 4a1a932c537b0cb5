#pragma once

#include <optional>
#include <string>

struct _XDisplay;

// Times a program's start the way a user sees it: from starting it to its window, titled
// so, being mapped on the X server named by DISPLAY, told by the server's map event. Then
// reads its resident memory, ends it and waits for it.
class MapTimer
{
public:
    MapTimer();
    ~MapTimer();

    bool isReady() const { return m_display != nullptr; }

    struct Run
    {
        double seconds = 0;
        long residentKiB = 0;
    };
    // Absent when no such window appeared within 20 seconds.
    std::optional<Run> time(const std::string &program, const std::string &title);

private:
    _XDisplay *m_display = nullptr;
};
