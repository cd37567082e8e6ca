#pragma once
// Stand-ins for the user and the printer, and a temporary working folder.
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs.hpp"
#include "line_printer.hpp"

namespace yinshi::frontend::testing {

// Answers questions from a script (Yes when it runs out) and records every box.
class FakeDialogs : public Dialogs {
public:
    std::deque<bool> answers;
    std::vector<std::string> asked, told;
    std::vector<std::string> log;  // every box in order, "?" before a question, "!" before a notice
    bool AskYesNo(std::string_view title, std::string_view text) override {
        asked.push_back(std::string(title) + "|" + std::string(text));
        log.push_back("?" + asked.back());
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Tell(std::string_view title, std::string_view text) override {
        told.push_back(std::string(title) + "|" + std::string(text));
        log.push_back("!" + told.back());
    }
    std::vector<std::string> shownFiles;  // the files of the notices that offer to open one
    void ShowFile(std::string_view title, std::string_view text, const std::string& file) override {
        Tell(title, text);
        shownFiles.push_back(file);
    }
};

class CapturingPrinter : public LinePrinter {
public:
    std::vector<std::string> lines;
    int jobsStarted = 0, jobsEnded = 0;
    JobStart nextStart{true, {}};
    JobEnd nextEnd;
    bool printerInstalled = true;
    bool HasPrinter() const override { return printerInstalled; }
    JobStart OpenJob() override {
        if (open_) return {true, {}};
        if (nextStart.ok) {
            open_ = true;
            ++jobsStarted;
        }
        return nextStart;
    }
    void PrintLine(std::string_view utf8) override { lines.emplace_back(utf8); }
    JobEnd EndJob() override {
        open_ = false;
        ++jobsEnded;
        return nextEnd;
    }
    bool JobOpen() const override { return open_; }

private:
    bool open_ = false;
};

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "yinshi-fe-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path path_;
};

}  // namespace yinshi::frontend::testing
