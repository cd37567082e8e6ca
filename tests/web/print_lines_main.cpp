// The window's printer lines of a transcript, one per output line: what the page's print view
// must show for the same jg.dat.
#include <cstdio>
#include <iostream>

#include "print_format.hpp"
#include "transcript_file.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: print_lines <jg.dat>\n");
        return 2;
    }
    const yinshi::frontend::TranscriptRead transcript = yinshi::frontend::ReadTranscript(argv[1]);
    if (transcript.error) {
        std::fprintf(stderr, "print_lines: %s\n", transcript.error->c_str());
        return 1;
    }
    for (const std::string& line : yinshi::frontend::TranscriptPrintLines(transcript.lines)) std::cout << line << '\n';
    return 0;
}
