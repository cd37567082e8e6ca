#include <gtest/gtest.h>

#include "frontend_fakes.hpp"
#include "print_command.hpp"

using namespace yinshi::frontend;
using namespace yinshi::frontend::testing;
using Lines = std::vector<std::string>;

namespace {

struct PrintCommand : ::testing::Test {
  TempFolder dir;
  FakeDialogs dialogs;
  CapturingPrinter printer;
  void run() { RunPrintCommand(dir.path(), dialogs, printer); }
};

const std::string kAskReady = std::string("注意|") + kAskPrinterReady;
const std::string kAskNow = std::string("注意|") + kAskPrintNow;

}  // namespace

TEST_F(PrintCommand, PrintsAndEndsTheJobOnYes) {
  dir.write("jg.dat", "x^2-1\r\n\r\n=(x+1)(x-1)\r\n");
  run();
  EXPECT_EQ(dialogs.asked, (Lines{kAskReady, kAskNow}));
  EXPECT_EQ(printer.lines, (Lines{"", "x^2-1", "", "=(x+1)(x-1)", ""}));
  EXPECT_EQ(printer.jobsEnded, 1);
  EXPECT_TRUE(dialogs.told.empty());
}

TEST_F(PrintCommand, NoToTheFirstQuestionPrintsNothing) {
  dir.write("jg.dat", "x\r\n");
  dialogs.answers = {false};
  run();
  EXPECT_EQ(dialogs.asked, Lines{kAskReady});
  EXPECT_EQ(printer.jobsStarted, 0);
  EXPECT_TRUE(printer.lines.empty());
  EXPECT_EQ(dir.read("jg.dat"), "x\r\n");
}

TEST_F(PrintCommand, NoToTheSecondQuestionKeepsTheJobForLaterCommands) {
  dir.write("jg.dat", "");
  dialogs.answers = {true, false, true, true};
  run();
  EXPECT_TRUE(printer.JobOpen());
  run();
  EXPECT_EQ(printer.jobsStarted, 1);
  EXPECT_EQ(printer.jobsEnded, 1);
  EXPECT_EQ(printer.lines, (Lines{"", "", "", ""}));  // an empty transcript: two empty lines each
}

TEST_F(PrintCommand, ReportsWhatKeepsItFromPrinting) {
  run();  // no jg.dat yet
  ASSERT_EQ(dialogs.told.size(), 1u);
  EXPECT_NE(dialogs.told[0].find("jg.dat"), std::string::npos);
  EXPECT_EQ(printer.jobsStarted, 0);

  dir.write("jg.dat", "x\r\n");
  printer.nextStart = {false, "no paper"};
  run();
  EXPECT_NE(dialogs.told.back().find("no paper"), std::string::npos);
  EXPECT_TRUE(printer.lines.empty());

  printer.nextStart = {true, "pages go to /tmp/jg.pdf"};
  printer.endFailure = "jammed";
  run();
  EXPECT_EQ(dialogs.told.size(), 4u);
  EXPECT_EQ(dialogs.told[2], "注意|pages go to /tmp/jg.pdf");
  EXPECT_NE(dialogs.told[3].find("jammed"), std::string::npos);
  EXPECT_EQ(printer.lines, (Lines{"", "x", ""}));
}
