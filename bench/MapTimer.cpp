#include "MapTimer.h"

#include <X11/Xlib.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

bool isTitled(Display *display, Window window, const std::string &title)
{
    char *name = nullptr;
    const bool titled = XFetchName(display, window, &name) && name && title == name;
    if (name) {
        XFree(name);
    }
    return titled;
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return 0;
}

} // namespace

MapTimer::MapTimer() : m_display(XOpenDisplay(nullptr))
{
    if (m_display) {
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
        XSync(m_display, False);
    }
}

MapTimer::~MapTimer()
{
    if (m_display) {
        XCloseDisplay(m_display);
    }
}

std::optional<MapTimer::Run> MapTimer::time(const std::string &program, const std::string &title)
{
    // The program draws on the X server, whatever platform the benchmark itself uses.
    std::vector<char *> env;
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) {
            env.push_back(*e);
        }
    }
    env.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", 0);
        dup2(null, STDERR_FILENO);
        char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
        execve(argv[0], argv, env.data());
        _exit(127);
    }
    std::optional<Run> run;
    while (!run && std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        while (!run && XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == MapNotify && isTitled(m_display, event.xmap.window, title)) {
                const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
                run = Run{took.count(), 0};
            }
        }
        if (!run) {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(ConnectionNumber(m_display), &fds);
            timeval wait{0, 20000};
            select(ConnectionNumber(m_display) + 1, &fds, nullptr, nullptr, &wait);
        }
    }
    // Memory once the window has settled, as for any program looked at a moment later.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (run) {
        run->residentKiB = residentKiB(pid);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return run;
}
