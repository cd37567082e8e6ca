// The factoring engine: reads DXS.DAT in the current folder and shows the
// factorisation on the console. There is no command line.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "mainline/driver.hpp"
#include "mainline/poller.hpp"
#include "platform/console.hpp"

int main() {
    using namespace yinshi;
    Console console = OpenConsole();
    Poller poller = Poller::Production();
    Engine engine(console.screen, console.keys(), console.clock, std::filesystem::current_path(), poller);
    try {
        RunEngine(engine);
    } catch (const std::exception& ex) {
        console.Close();
        std::fprintf(stderr, "yinshi-engine: %s\n", ex.what());
        return 1;
    }
    console.Close();
    return 0;
}
