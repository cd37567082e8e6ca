// A small program for the terminal test: draws a screen that exercises
// scrolling, colours, double-width text and the status line, then waits for a
// key. Arguments: a file to write the process id to (so the test can signal
// it), and optionally "throw" to end by an uncaught exception after the key.
#include <unistd.h>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/console.hpp"

int main(int argc, char** argv) {
    yinshi::Console console = yinshi::OpenConsole();
    if (argc > 1) std::ofstream(argv[1]) << getpid() << '\n';
    const bool throwAtEnd = argc > 2 && std::string(argv[2]) == "throw";

    yinshi::Screen& s = console.screen;
    s.Clear();
    for (int i = 1; i <= 30; ++i) {
        s.Print("line " + std::to_string(i));
        s.NewLine();
    }
    s.Print("中文中文");
    s.Locate(s.Cursor().first, 9);  // right after the four characters, if widths agree
    s.Print("X");
    s.NewLine();
    s.Color(10, 7);
    s.Print("绿色 on white");
    s.Color(7, 0);
    s.NewLine();
    s.Color(2, 0);
    s.Locate(25, 14);
    s.Print("程序正在运行. 按 t 键可退出分解(Press t exit)");
    s.Color(7, 0);
    s.NewLine();
    s.Print("press a key");
    const char key = console.keys().Wait();
    s.NewLine();
    s.Print(std::string("key ") + key);
    s.NewLine();
    if (throwAtEnd) throw std::runtime_error("demo exception");
    return 0;
}
