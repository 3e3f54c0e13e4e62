// The rich edit's RTF subset: reading fonts, colours, styles, paragraphs and escapes, writing
// what it reads, and the edit's lines, selection looks and required size.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/RichEdit.h"
#include "classlib/Streams.h"

namespace {

TEST(RTF, ReadsControlWordsGroupsAndEscapes) {
  const TRichRun base;
  const TRichDocument doc = ReadRTF(
      "{\\rtf1{\\fonttbl\\f0 Courier;\\f1 Arial;}{\\*\\generator x;}{\\colortbl;\\red0\\green128\\blue0;}"
      "\\f1\\fs24 a{\\b b}c\\line \\cf1 d\\{\\}\\\\\\tab\\u8364?\\'e9}",
      base);
  ASSERT_EQ(doc.size(), 4u);
  EXPECT_EQ(doc[0].Text, "a");
  EXPECT_EQ(doc[0].FontName, "Arial");
  EXPECT_EQ(doc[0].FontSize, 12);
  EXPECT_EQ(doc[1].Text, "b");
  EXPECT_TRUE(doc[1].Style.Contains(fsBold));
  EXPECT_EQ(doc[2].Text, "c\n");
  EXPECT_TRUE(doc[2].Style.Empty()) << "the group's bold ends with it";
  EXPECT_EQ(doc[3].Text, "d{}\\\t\u20AC\u00E9");
  EXPECT_EQ(doc[3].Color, 0x008000);
}

TEST(RTF, WritingThenReadingGivesTheSameRuns) {
  TRichDocument doc(3);
  doc[0].Text = "one {x}\n";
  doc[0].FontName = "DejaVu Sans";
  doc[1].Text = "zwei ü";
  doc[1].Color = 0x123456;
  doc[1].Style = TFontStyles{fsItalic, fsUnderline};
  doc[2].Text = "three";
  doc[2].FontSize = 20;
  doc[2].Style = TFontStyles{fsStrikeOut};
  const TRichDocument back = ReadRTF(WriteRTF(doc), TRichRun{});
  ASSERT_EQ(back.size(), doc.size());
  for (size_t i = 0; i < doc.size(); ++i) {
    EXPECT_EQ(back[i].Text, doc[i].Text);
    EXPECT_TRUE(back[i].SameLook(doc[i])) << i;
  }
}

TEST(RichEdit, LinesSelectionAndRequiredSize) {
  std::unique_ptr<TRichEdit> edit(New<TRichEdit>(nullptr));
  TMemoryStream in;
  const String text = "first\r\nsecond line";
  in.WriteBuffer(text.data(), static_cast<Integer>(text.size()));
  in.SetPosition(0);
  edit->Lines()->LoadFromStream(in);
  ASSERT_EQ(edit->Lines()->Count(), 2);
  EXPECT_EQ(edit->Lines()->Strings(1), "second line");
  edit->SetSelStart(6);
  edit->SetSelLength(6);
  edit->SelAttributes()->SetColor(0x0000FF);
  ASSERT_EQ(edit->Document().size(), 3u);
  EXPECT_EQ(edit->Document()[1].Text, "second");
  EXPECT_EQ(edit->Document()[1].Color, 0x0000FF);
  edit->SetWordWrap(false);
  const int oneLine = edit->ReqHeight();
  EXPECT_GT(edit->ReqWidth(), 0);
  edit->SetBounds(0, 0, 30, 100);
  edit->SetWordWrap(true);
  EXPECT_GT(edit->ReqHeight(), oneLine) << "wrapped into more lines";
}

}  // namespace
