// Shared main of every test program: headless Qt (offscreen platform) so that fonts and
// offscreen painting work, then GoogleTest. Before every test the application's hooks and
// records are reset, so nothing a test leaves behind reaches the next. Started as a child
// (ChildProcess.h), the program runs its child entry instead, with nothing of this set up.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "classlib/Forms.h"
#include "support/ChildProcess.h"

namespace {
// The offscreen platform says, for every window shown, that it cannot raise it or grab the
// keyboard; those notes are dropped, everything else is printed.
void QuietPlatformNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.startsWith("This plugin does not support")) return;
  fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  if (type == QtFatalMsg) abort();
}

class ResetApplication : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    Application->ResetHooks();
    Application->SetViewsEnabled(false);
  }
};
}  // namespace

int main(int argc, char** argv) {
  if (int code = 0; ChildProcess::RunEntryIfChild(argc, argv, code)) return code;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  qInstallMessageHandler(QuietPlatformNotes);
  QApplication qapp(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ResetApplication);
  return RUN_ALL_TESTS();
}
