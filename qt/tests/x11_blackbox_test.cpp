// Starts the real program on a private X server, as a user would, and checks
// what only the outside can see: command-line options are ignored, nothing
// is written to the user's folders, and closing the window ends the process
// at once with status 0, and the window carries the class its desktop entry
// names.
//
//   x11_blackbox_test PROGRAM DESKTOP_FILE
#include "testlog.h"
#include "x11probe.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string kTitle = "Address range finder";
const char* const kUserFolders[] = {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"};

struct Run {
    std::optional<std::uint64_t> image;
    bool exited = false;
    int status = -1;
    std::chrono::milliseconds closeTime{0};
    std::string windowClass;
    std::optional<X11Probe::MotifHints> motif;
    bool fixedSize = false;
    std::vector<std::string> traces; // files left in the user's folders
};

pid_t spawn(const std::vector<std::string>& command, const fs::path& scratch)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (command.front() == "strace") {
        // LeakSanitizer cannot work under ptrace; a sanitized build would
        // otherwise fail for that alone.
        const char* asan = std::getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    }
    for (const char* name : kUserFolders) {
        const fs::path folder = scratch / name;
        fs::create_directories(folder);
        setenv(name, folder.c_str(), 1);
    }
    const fs::path runtime = scratch / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    // No session bus: where dbus-x11 is installed, Qt would launch one.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    unsetenv("QT_QPA_PLATFORM");
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

std::optional<int> waitFor(pid_t pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    do {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(5ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

Run runProgram(X11Probe& probe, const std::vector<std::string>& command, const fs::path& scratch)
{
    Run run;
    probe.watchNewWindows();
    const pid_t pid = spawn(command, scratch);
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    if (probe.waitForMappedWindow(kTitle, deadline) && probe.waitForFirstFrame(deadline)) {
        run.windowClass = probe.windowClass();
        run.motif = probe.motifHints();
        run.fixedSize = probe.fixedSize();
        run.image = probe.waitForStillImage(300ms, deadline);
        const auto asked = std::chrono::steady_clock::now();
        probe.requestClose();
        if (const auto status = waitFor(pid, 5s)) {
            run.exited = true;
            run.status = *status;
            run.closeTime = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
        }
    }
    probe.stopWatching();
    if (!run.exited) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    for (const char* name : kUserFolders)
        for (const auto& entry : fs::recursive_directory_iterator(scratch / name))
            run.traces.push_back(entry.path().string());
    return run;
}

bool fileMentions(const fs::path& file, const std::string& text)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

std::string desktopEntryValue(const fs::path& file, const std::string& key)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return {};
}

// What a window manager offers for a Motif function or decoration bit: with
// bit 0 set the others name what to leave out; without any hints, all.
bool offers(const std::optional<X11Probe::MotifHints>& hints, unsigned long X11Probe::MotifHints::*field, unsigned long bit)
{
    if (!hints)
        return true;
    const unsigned long value = (*hints).*field;
    return (value & 1) ? !(value & bit) : (value & bit) != 0;
}

} // namespace

int main(int argc, char** argv)
{
    TestLog t;
    if (!t.check(argc == 3, "usage: x11_blackbox_test PROGRAM DESKTOP_FILE"))
        return t.finish();
    const std::string program = fs::absolute(argv[1]).string();

    {
    X11Probe probe;
    t.check(probe.valid(), "X server with DAMAGE");

    char pattern[] = "/tmp/arf-blackbox-XXXXXX";
    const fs::path scratch = mkdtemp(pattern);

    const Run plain = runProgram(probe, {program}, scratch / "plain");
    t.check(plain.image.has_value(), "window appears and paints");
    t.check(plain.exited, "closing the window ends the process");
    t.check(plain.exited && WIFEXITED(plain.status) && WEXITSTATUS(plain.status) == 0, "exit status 0");
    t.check(plain.closeTime < 1000ms, "ends within a second of the close (" +
                                          std::to_string(plain.closeTime.count()) + " ms)");
    t.check(plain.traces.empty(), "no file left in the user's folders" +
                                      (plain.traces.empty() ? std::string() : ": " + plain.traces.front()));
    const std::string startupClass = desktopEntryValue(argv[2], "StartupWMClass");
    t.check(!startupClass.empty() && plain.windowClass == startupClass,
            "WM_CLASS class \"" + plain.windowClass + "\" is the entry's StartupWMClass \"" + startupClass + "\"");
    // A fixed-size window: a window manager must offer no maximize, neither
    // as a function nor as a title-bar button. Qt 6.8 leaves the resize
    // function in; the size hints keep the size.
    t.check(plain.fixedSize, "WM_NORMAL_HINTS pin the window to one size");
    using Hints = X11Probe::MotifHints;
    const struct {
        const char* what;
        unsigned long Hints::*field;
        unsigned long bit;
        bool offered;
    } motifRows[] = {
        {"the maximize function", &Hints::functions, 0x10, false},
        {"a maximize button", &Hints::decorations, 0x40, false},
        {"the minimize function", &Hints::functions, 0x08, true},
        {"the close function", &Hints::functions, 0x20, true},
        {"a minimize button", &Hints::decorations, 0x20, true},
    };
    for (const auto& row : motifRows)
        t.check(offers(plain.motif, row.field, row.bit) == row.offered,
                std::string(row.offered ? "offers " : "does not offer ") + row.what + " in _MOTIF_WM_HINTS");

    // Options that Qt would honour if it saw them: each would open the file,
    // change the picture, rename the window or move it off this display.
    const fs::path styleSheet = scratch / "style.qss";
    std::ofstream(styleSheet) << "* { background: red; color: yellow; }\n";
    const fs::path trace = scratch / "openat.log";
    const Run optioned =
        runProgram(probe,
                   {"strace", "-f", "-qq", "-e", "trace=open,openat", "-o", trace.string(), program, "-stylesheet",
                    styleSheet.string(), "-reverse", "-qwindowtitle", "Other", "-platform", "offscreen"},
                   scratch / "optioned");
    t.check(fs::exists(trace) && fs::file_size(trace) > 0, "strace recorded the run");
    t.check(!fileMentions(trace, styleSheet.string()), "the style sheet named on the command line is never opened");
    t.check(optioned.image.has_value() && optioned.image == plain.image,
            "with options the window looks exactly as at a normal start");
    t.check(optioned.exited && WIFEXITED(optioned.status) && WEXITSTATUS(optioned.status) == 0,
            "exit status 0 with options");
    t.check(optioned.traces.empty(), "no file left with options");

    fs::remove_all(scratch);
    } // the probe lets go of the X server before the server is ended
    return t.finish();
}
