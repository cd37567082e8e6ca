#pragma once
// A printer that takes one line at a time, in one job that may span several print commands.
#include <string>
#include <string_view>

namespace yinshi::frontend {

struct JobStart {
    bool ok = false;
    std::string message;  // on failure, why no job could be started
};

struct JobEnd {
    bool ok = true;
    // On success, something the user should know (where the pages went instead of a printer,
    // said only once they are there); on failure, why the job did not complete.
    std::string message;
    // The file the pages went to when there was no printer; empty when they went to a printer.
    std::string file;
};

class LinePrinter {
public:
    virtual ~LinePrinter() = default;
    // Starts a job unless one is open already (then it succeeds).
    virtual JobStart OpenJob() = 0;
    virtual void PrintLine(std::string_view utf8) = 0;
    // Completes the open job so that it is printed now.
    virtual JobEnd EndJob() = 0;
    virtual bool JobOpen() const = 0;
    // Whether a job started now would go to a printer; without one it goes to a file.
    virtual bool HasPrinter() const { return true; }
};

}  // namespace yinshi::frontend
