// The factoring engine: reads DXS.DAT in the current folder and shows the
// factorisation on the console. There is no command line; the window program
// sets YINSHI_OWN_WINDOW when it starts the engine in a terminal of its own.
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "exact/flint_factorer.hpp"
#include "mainline/driver.hpp"
#include "platform/console.hpp"
#include "platform/poller.hpp"
#include "present/screen_search_report.hpp"

namespace {

// A standard descriptor that was closed would go to the first file the engine
// opens, and the screen's text would land in that file.
void OpenMissingStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        const int got = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (got >= 0 && got != fd) {
            dup2(got, fd);
            close(got);
        }
    }
}

}  // namespace

int main() {
    using namespace yinshi;
    OpenMissingStandardDescriptors();
    Console console = OpenConsole();
    Poller poller = Poller::Production();
    ScreenSearchReport report(console.screen);
    Engine engine(console.screen, console.keys(), console.clock, std::filesystem::current_path(), poller, report);
    engine.ownWindow = std::getenv("YINSHI_OWN_WINDOW") != nullptr;
    const exact::FlintFactorer exact;
    engine.exact = &exact;
    // The walk as it was before exact factoring guided it: for comparing the two.
    engine.guideWalk = std::getenv("YINSHI_PLAIN_WALK") == nullptr;
    const int status = RunEngineReportingFailure(engine);
    console.Close();
    return status;
}
