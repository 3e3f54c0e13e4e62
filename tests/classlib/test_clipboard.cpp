// The clipboard: text and named formats offered together inside a bracket, each set outside
// one replacing what was there, bytes kept exactly, clearing.
#include <gtest/gtest.h>

#include "classlib/Clipbrd.h"

namespace {

TEST(Clipboard, FormatsSetTogetherInABracketAndReplacedOutsideOne) {
  TClipboard* clipboard = Clipboard();
  clipboard->Clear();
  EXPECT_FALSE(clipboard->HasFormat(CF_TEXT));

  const String cells("\x05\0\0\0\0\0\0\0xy", 10);
  clipboard->Open();
  clipboard->SetAsText("a\tb\r\n\xC3\xA9");
  clipboard->SetAsFormat("TRivErodovOzar Cells", cells);
  clipboard->Close();
  EXPECT_TRUE(clipboard->HasFormat(CF_TEXT));
  EXPECT_TRUE(clipboard->HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(clipboard->AsText(), "a\tb\r\n\xC3\xA9");
  EXPECT_TRUE(clipboard->HasFormatName("TRivErodovOzar Cells"));
  EXPECT_FALSE(clipboard->HasFormatName("HTML Format"));
  EXPECT_EQ(clipboard->AsFormat("TRivErodovOzar Cells"), cells);

  // A later plain copy leaves no stale cells behind for a paste to find.
  clipboard->SetAsText("new");
  EXPECT_EQ(clipboard->AsText(), "new");
  EXPECT_FALSE(clipboard->HasFormatName("TRivErodovOzar Cells"));
  clipboard->SetAsFormat("HTML Format", "<b>x</b>");
  EXPECT_FALSE(clipboard->HasFormat(CF_TEXT));
  EXPECT_EQ(clipboard->AsFormat("HTML Format"), "<b>x</b>");
  clipboard->Clear();
  EXPECT_EQ(clipboard->AsText(), "");
  EXPECT_EQ(clipboard->AsFormat("HTML Format"), "");
}

}  // namespace
