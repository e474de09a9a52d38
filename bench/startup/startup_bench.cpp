// How fast the program shows its windows and how much memory it takes: the real program on an X
// server without a window manager, so that its top-level windows map straight onto the root
// window and each map is reported to us as a MapNotify there.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#ifndef RATEWRIGHT_PROGRAM
#define RATEWRIGHT_PROGRAM "ratewright"
#endif

namespace {

using Clock = std::chrono::steady_clock;

const char kSplashTitle[] = "Compliments of Quindle Software";
const char kMainTitle[] = "Ratewright Calculator 32, 2.2";
constexpr double kSplashTargetMs = 80;
constexpr double kMainTargetMs = 150;
constexpr double kMemoryTargetMiB = 40;
constexpr int kSkipped = 77; // CTest's skip code: no X server to run on

struct Options
{
    int runs = 10;
    int warmups = 1; // runs not counted: they fill the file and font caches
    std::string program = RATEWRIGHT_PROGRAM;
    std::string display; // empty: start a private Xvfb
    double settleSeconds = 2.0;
};

struct Sample
{
    double splashMs = -1;
    double mainMs = -1;
    double peakMiB = -1;
    bool splashFirst = false;
};

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void usage(FILE *to)
{
    std::fprintf(to,
                 "Usage: startup-bench [--runs N] [--warmup W] [--program PATH] [--display :N]\n"
                 "                     [--settle S]\n"
                 "\n"
                 "Starts the program N times (default 10) on an X server without a window\n"
                 "manager and measures, from fork/exec, when the splash screen and the main\n"
                 "window are mapped, and the peak resident memory (VmHWM) S seconds (default 2)\n"
                 "after the main window mapped; then ends the program with SIGTERM. Runs once\n"
                 "with Qt's default GL integration and once with QT_XCB_GL_INTEGRATION=none,\n"
                 "each after W uncounted runs (default 1).\n"
                 "Starts its own Xvfb (must be installed) unless --display names a running\n"
                 "server, which must have no window manager.\n"
                 "Default program: %s\n",
                 RATEWRIGHT_PROGRAM);
}

std::optional<Options> parseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            std::exit(0);
        } else if (arg == "--runs" && hasValue) {
            options.runs = std::atoi(argv[++i]);
        } else if (arg == "--warmup" && hasValue) {
            options.warmups = std::atoi(argv[++i]);
        } else if (arg == "--program" && hasValue) {
            options.program = argv[++i];
        } else if (arg == "--display" && hasValue) {
            options.display = argv[++i];
        } else if (arg == "--settle" && hasValue) {
            options.settleSeconds = std::atof(argv[++i]);
        } else {
            return std::nullopt;
        }
    }
    if (options.runs < 1 || options.warmups < 0 || options.settleSeconds < 0)
        return std::nullopt;
    return options;
}

// Windows may vanish between the event and our look at them; that is no error here.
int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}

bool processGone(pid_t pid, int *status = nullptr)
{
    int st = 0;
    if (waitpid(pid, &st, WNOHANG) != pid)
        return false;
    if (status)
        *status = st;
    return true;
}

void endProcess(pid_t pid)
{
    kill(pid, SIGTERM);
    const auto start = Clock::now();
    while (!processGone(pid)) {
        if (msSince(start) > 5000) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

class PrivateServer
{
public:
    ~PrivateServer()
    {
        if (m_pid > 0)
            endProcess(m_pid);
    }

    // Starts Xvfb on the first display number that is free; returns its name or "" on failure.
    std::string start()
    {
        for (int number = 110; number < 160; ++number) {
            const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
            struct stat st;
            if (stat(lock.c_str(), &st) == 0 || stat(socket.c_str(), &st) == 0)
                continue;
            const std::string name = ":" + std::to_string(number);
            m_pid = fork();
            if (m_pid == 0) {
                const int null = open("/dev/null", O_RDWR);
                dup2(null, STDOUT_FILENO);
                dup2(null, STDERR_FILENO);
                execlp("Xvfb", "Xvfb", name.c_str(), "-noreset", "-nolisten", "tcp", "-screen", "0",
                       "1280x1024x24", static_cast<char *>(nullptr));
                _exit(127);
            }
            const auto started = Clock::now();
            while (msSince(started) < 10000) {
                int status = 0;
                if (processGone(m_pid, &status)) {
                    m_pid = -1;
                    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
                        m_missing = true;
                        return {};
                    }
                    break; // the number was taken after all: try the next one
                }
                if (Display *probe = XOpenDisplay(name.c_str())) {
                    XCloseDisplay(probe);
                    return name;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            if (m_pid > 0) {
                endProcess(m_pid);
                m_pid = -1;
            }
        }
        return {};
    }

    bool missing() const { return m_missing; }

private:
    pid_t m_pid = -1;
    bool m_missing = false;
};

std::string windowName(Display *display, Window window)
{
    char *name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) && name)
        result = name;
    if (name)
        XFree(name);
    return result;
}

double peakResidentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0; // the line reads "VmHWM:  12345 kB"
    }
    return -1;
}

std::optional<Sample> measureOnce(Display *display, const std::string &displayName,
                                  const Options &options, const std::string &runtimeDir,
                                  bool noGlIntegration)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // forget what earlier runs left in the queue

    Sample sample;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        setenv("DISPLAY", displayName.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        unsetenv("QT_QPA_PLATFORM");
        unsetenv("WAYLAND_DISPLAY");
        if (noGlIntegration)
            setenv("QT_XCB_GL_INTEGRATION", "none", 1);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(options.program.c_str(), options.program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }

    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (sample.mainMs < 0) {
        if (msSince(start) > 30000 || processGone(pid)) {
            std::fprintf(stderr, "startup-bench: %s did not map its main window\n",
                         options.program.c_str());
            endProcess(pid);
            return std::nullopt;
        }
        poll(&connection, 1, 10);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify)
                continue;
            const double at = msSince(start);
            const std::string name = windowName(display, event.xmap.window);
            if (name == kSplashTitle && sample.splashMs < 0) {
                sample.splashMs = at;
                sample.splashFirst = sample.mainMs < 0;
            } else if (name == kMainTitle && sample.mainMs < 0) {
                sample.mainMs = at;
            }
        }
    }

    std::this_thread::sleep_for(std::chrono::duration<double>(options.settleSeconds));
    sample.peakMiB = peakResidentMiB(pid);
    endProcess(pid);
    XSelectInput(display, root, NoEventMask);
    XSync(display, True);
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary
{
    double median, min, max;
};

Summary summarise(const std::vector<Sample> &samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample &sample : samples) {
        if (sample.*field >= 0)
            values.push_back(sample.*field);
    }
    if (values.empty())
        return {-1, -1, -1};
    return {median(values), *std::min_element(values.begin(), values.end()),
            *std::max_element(values.begin(), values.end())};
}

void report(const char *title, const std::vector<Sample> &samples)
{
    std::printf("\n%s\n", title);
    std::printf("%4s %12s %12s %12s  %s\n", "run", "splash ms", "main ms", "VmHWM MiB", "order");
    int run = 0;
    for (const Sample &sample : samples) {
        std::printf("%4d %12.1f %12.1f %12.1f  %s\n", ++run, sample.splashMs, sample.mainMs,
                    sample.peakMiB,
                    sample.splashMs < 0  ? "no splash"
                    : sample.splashFirst ? "splash first"
                                         : "MAIN FIRST");
    }
    const auto line = [](const char *what, Summary s, double target, const char *unit) {
        std::printf("%-14s median %8.1f  min %8.1f  max %8.1f %s   target <= %.0f %s: %s\n", what,
                    s.median, s.min, s.max, unit, target, unit,
                    s.median >= 0 && s.median <= target ? "met" : "NOT met");
    };
    line("splash mapped", summarise(samples, &Sample::splashMs), kSplashTargetMs, "ms");
    line("main mapped", summarise(samples, &Sample::mainMs), kMainTargetMs, "ms");
    line("peak memory", summarise(samples, &Sample::peakMiB), kMemoryTargetMiB, "MiB");
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        usage(stderr);
        return 2;
    }
    if (access(options->program.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "startup-bench: cannot run %s\n", options->program.c_str());
        return 1;
    }

    PrivateServer server;
    std::string displayName = options->display;
    if (displayName.empty()) {
        displayName = server.start();
        if (displayName.empty()) {
            std::fprintf(stderr, "startup-bench: %s\n",
                         server.missing() ? "Xvfb is not installed" : "Xvfb did not start");
            return server.missing() ? kSkipped : 1;
        }
    }
    Display *display = XOpenDisplay(displayName.c_str());
    if (!display) {
        std::fprintf(stderr, "startup-bench: cannot open display %s\n", displayName.c_str());
        return 1;
    }
    XSetErrorHandler(ignoreXErrors);

    char runtimeTemplate[] = "/tmp/startup-bench.XXXXXX"; // mkdtemp makes it 0700
    const char *runtimeDir = mkdtemp(runtimeTemplate);
    if (!runtimeDir) {
        std::perror("startup-bench: mkdtemp");
        return 1;
    }

    std::printf("startup-bench: %s on %s, %d runs each, memory read %.1f s after the main "
                "window mapped\n",
                options->program.c_str(), displayName.c_str(), options->runs,
                options->settleSeconds);
    int status = 0;
    for (const bool noGl : {false, true}) {
        std::vector<Sample> samples;
        for (int run = -options->warmups; run < options->runs; ++run) {
            const std::optional<Sample> sample =
                measureOnce(display, displayName, *options, runtimeDir, noGl);
            if (!sample)
                status = 1;
            else if (run >= 0)
                samples.push_back(*sample);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        report(noGl ? "QT_XCB_GL_INTEGRATION=none" : "default GL integration", samples);
    }

    XCloseDisplay(display);
    std::error_code ignored;
    std::filesystem::remove_all(runtimeDir, ignored);
    return status;
}
