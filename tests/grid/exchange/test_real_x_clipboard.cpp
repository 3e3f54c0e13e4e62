// The grid and other programs on a real X clipboard: a child process on the test's own X
// server pastes a block another program (xclip) offered, and copies cells that xclip reads back.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "classlib/Forms.h"
#include "grid/model/RivErodovOzar.h"
#include "support/ChildProcess.h"
#include "support/VirtualDisplay.h"
#include "ExchangeFixture.h"

namespace {

using namespace exchange;

void Say(const String& Line) {
  std::printf("%s\n", Line.c_str());
  std::fflush(stdout);
}

// Runs a shell command on a thread while this process keeps answering the X server, which it
// must do while another program reads a selection this process owns.
String RunWhilePumping(const String& Command) {
  String output;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    if (FILE* pipe = popen(Command.c_str(), "r")) {
      char buffer[4096];
      size_t n = 0;
      while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
      pclose(pipe);
    }
    done = true;
  });
  while (!done) Application->HandleMessage();
  worker.join();
  return output;
}

String Visible(String S) {
  String out;
  for (char c : S) out += c == '\t' ? String("<TAB>") : c == '\r' ? String("<CR>") : c == '\n' ? String("<LF>") : String(1, c);
  return out;
}

int XClipboardSession(int argc, char** argv) {
  Application->Initialize(argc, argv);
  {
    std::unique_ptr<TRivErodovOzar> grid(New<TRivErodovOzar>(nullptr));
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetOptions(grid->Options() + goEditing + goRangeSelect);

    // A block as a spreadsheet offers it: LF line ends, a quoted multi-line cell.
    const String offered = ::testing::TempDir() + "exchange_xclip_" + IntToStr(static_cast<int>(getpid()));
    WriteBytes(offered, "1\tΩμέγα\n\"two\nlines\"\t4\n");
    std::system(("xclip -selection clipboard -t UTF8_STRING -i " + offered).c_str());
    usleep(200000);
    grid->SelectCells(1, 1, 1, 1);
    grid->PasteSelectionFromClipboard();
    Say("pasted: " + Visible(grid->Cells(1, 1) + "|" + grid->Cells(2, 1) + "|" + grid->Cells(1, 2) + "|" +
                             grid->Cells(2, 2) + "|" + grid->Cells(1, 3)));
    std::remove(offered.c_str());

    grid->SelectCells(1, 1, 2, 2);
    grid->CopySelectionToClipboard();
    Say("xclip read: " + Visible(RunWhilePumping("xclip -selection clipboard -o -t UTF8_STRING")));
    grid->CopyToClipBoardAsHTML();
    const String html = RunWhilePumping("xclip -selection clipboard -o -t text/html");
    Say(String("html: ") + (html.rfind("<html", 0) == 0 || html.find("<TABLE") != String::npos ? "table" : "none") +
        (html.find("Version:") == String::npos ? ", no header" : ", header"));
  }
  Application->Finalize();
  return 0;
}

const bool registered = ChildProcess::Register("x-clipboard", XClipboardSession);

TEST(RealXClipboard, PastesWhatAnotherProgramOffersAndOffersWhatItCopies) {
  ASSERT_TRUE(registered);
  if (!VirtualDisplay::Installed() || access("/usr/bin/xclip", X_OK) != 0) GTEST_SKIP() << "no Xvfb or xclip";
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "the X server did not start";
  const ChildProcess::Outcome result =
      ChildProcess::Run("x-clipboard", {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name()}, 60000);
  ASSERT_TRUE(result.Exited && result.ExitStatus == 0) << ChildProcess::Describe(result);
  EXPECT_NE(result.Output.find("pasted: 1|Ωμέγα|two<CR><LF>lines|4|\n"), std::string::npos) << result.Output;
  EXPECT_NE(result.Output.find("xclip read: 1<TAB>Ωμέγα<CR><LF>\"two<LF>lines\"<TAB>4<CR><LF>\n"), std::string::npos)
      << result.Output;
  EXPECT_NE(result.Output.find("html: table, no header"), std::string::npos) << result.Output;
}

}  // namespace
