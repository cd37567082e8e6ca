// The engine's run as the page starts it: the same stages as the program's main, on the
// page's console, in the module's folder /work (web_pre.js writes DXS.DAT there first).
#include <emscripten/emscripten.h>

#include <exception>
#include <string>

#include "exact/flint_factorer.hpp"
#include "mainline/driver.hpp"
#include "platform/poller.hpp"
#include "present/screen_search_report.hpp"
#include "web/web_console.hpp"

extern "C" EMSCRIPTEN_KEEPALIVE int yinshi_run(int plainWalk) {
    using namespace yinshi;
    web::WebConsole console;
    Poller poller = Poller::Production();
    ScreenSearchReport report(console.screen);
    Engine engine(console.screen, console.keys, console.clock, "/work", poller, report);
    const exact::FlintFactorer exact;
    engine.exact = &exact;
    engine.guideWalk = plainWalk == 0;
    return RunEngineReportingFailure(engine);
}
