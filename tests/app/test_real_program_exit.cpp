// The whole program in a process of its own: its real start-up, message loop and end, driven
// through its windows, and then its exit status. The process must end with status 0 however a
// person ends the session (close box or File > Exit, after runs, dialogs and message boxes),
// under the offscreen platform and under an X server, and report nothing under the sanitizers.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "app/ZorvanRestructureMatrix.h"
#include "support/ChildProcess.h"
#include "support/RealWindows.h"
#include "support/VirtualDisplay.h"

namespace {

using namespace RealWindows;

constexpr int kSessionMillis = 120000;
constexpr int kStartUpMillis = 60000;

// What the child saw, one line each, for the test to compare.
void Say(const String& Line) {
  std::printf("%s\n", Line.c_str());
  std::fflush(stdout);
}

void AnswerOK() {
  AnswerMessageBox("OK", [](const String& Text) { Say("message box: " + Text); });
}

// The sessions a person has; each ends the program from its main window.
void CloseBoxAndOK() {
  AnswerOK();
  CloseBox(Zorvan);
}

void RunResultsMessageBoxThenCloseBox() {
  WhenModal(CoOccurrenceOpts, [] {
    CoOccurrenceOpts->IterationsEdit->SetText("40");
    ChooseMenu(CoOccurrenceOpts->Run1);
  });
  WhenModal(CoOccurrence, [] {
    Say("results window: " + CoOccurrence->Caption());
    CloseBox(CoOccurrence);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  // A refused size brings up a message box over the resize dialog.
  WhenModal(ZorvanRedoMatrix, [] {
    TEdit* rows = ZorvanRedoMatrix->Edit1;
    Key(rows, VK_END);
    for (size_t i = rows->Text().size(); i > 0; --i) Key(rows, VK_BACK);
    Type(rows, "0");
    AnswerOK();
    Click(ZorvanRedoMatrix->OKButton);
    Click(ZorvanRedoMatrix->CancelButton);
  });
  ChooseMenu(Zorvan->RestructMatrix);
  CloseBoxAndOK();
}

void FileDialogThenFileExit() {
  AnswerFileDialog("", [](const String& Title) { Say("file dialog: " + Title); });
  ChooseMenu(Zorvan->Spacedelimitedtext1);
  AnswerOK();
  ChooseMenu(Zorvan->Exit1);
}

// Runs the program as its main does, with Session started from inside its message loop once
// the main window is on screen. Failures of the driving are reported and end in status 90.
template <void (*Session)()>
int RunProgramWith(int argc, char** argv) {
  WhenStarted([] { When([] { return Zorvan != nullptr && IsOnScreen(Zorvan); }, Session, kStartUpMillis); });
  const int code = RunZorvan(argc, argv);
  Say("forms left: " + std::to_string(Application->Forms().size()));
  const ::testing::TestResult& driving = ::testing::UnitTest::GetInstance()->ad_hoc_test_result();
  for (int i = 0; i < driving.total_part_count(); ++i)
    if (driving.GetTestPartResult(i).failed()) Say(String("driving failed: ") + driving.GetTestPartResult(i).message());
  return driving.Failed() ? 90 : code;
}

const bool registered = ChildProcess::Register("close-box", RunProgramWith<CloseBoxAndOK>) &&
                        ChildProcess::Register("results-message-box", RunProgramWith<RunResultsMessageBoxThenCloseBox>) &&
                        ChildProcess::Register("file-exit", RunProgramWith<FileDialogThenFileExit>);

struct Session {
  const char* entry;
  std::vector<String> seen;  // lines the child must have said, in order
};

const Session kSessions[] = {
    {"close-box", {"message box: Close Zorvan Professional?"}},
    {"results-message-box",
     {"results window: Zorvan Professional: Co-occurrence Results", "message box: Rows must be >= 1",
      "message box: Close Zorvan Professional?"}},
    {"file-exit", {"file dialog: Select an ASCII file to open.", "message box: Close Zorvan Professional?"}},
};

void ExpectEverySessionEndsCleanly(const std::vector<std::string>& Environment) {
  ASSERT_TRUE(registered);
  for (const Session& s : kSessions) {
    SCOPED_TRACE(s.entry);
    const ChildProcess::Outcome result = ChildProcess::Run(s.entry, Environment, kSessionMillis);
    EXPECT_TRUE(result.Exited && result.ExitStatus == 0) << ChildProcess::Describe(result);
    size_t at = 0;
    for (const String& line : s.seen) {
      at = result.Output.find(line + "\n", at);
      EXPECT_NE(at, std::string::npos) << "never saw \"" << line << "\" (in this order); " << ChildProcess::Describe(result);
      if (at == std::string::npos) break;
    }
    EXPECT_NE(result.Output.find("forms left: 0\n"), std::string::npos) << ChildProcess::Describe(result);
    // The sanitized build's reports.
    EXPECT_EQ(result.Output.find("AddressSanitizer"), std::string::npos) << result.Output;
    EXPECT_EQ(result.Output.find("runtime error:"), std::string::npos) << result.Output;
  }
}

}  // namespace

TEST(ProgramExit, EverySessionEndsWithStatusZeroUnderTheOffscreenPlatform) {
  ExpectEverySessionEndsCleanly({"QT_QPA_PLATFORM=offscreen"});
}

TEST(ProgramExit, EverySessionEndsWithStatusZeroUnderAnXServer) {
  if (!VirtualDisplay::Installed()) GTEST_SKIP() << "no Xvfb on this machine";
  VirtualDisplay display;
  ASSERT_TRUE(display.Running()) << "Xvfb did not come up";
  ExpectEverySessionEndsCleanly({"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name()});
}
