// Operations on HTML-subset cell texts: entities, plain and visible text, highlighting and
// the embedded control tags.
#include <gtest/gtest.h>

#include "grid/base/HTMLTextOperations.h"

namespace {

TEST(HTMLTextOperations, EntitiesRoundTrip) {
  const String text = "a<b & \"c\" \xC3\xA9 \xE2\x82\xAC";
  const String encoded = HTMLEncodeText(text);
  EXPECT_EQ(encoded, "a&lt;b &amp; &quot;c&quot; &eacute; &euro;");
  EXPECT_EQ(HTMLDecodeEntities(encoded), text);
  EXPECT_EQ(HTMLDecodeEntities("&Oslash;&oslash;&EACUTE;"), "\xC3\x98\xC3\xB8&EACUTE;");
  EXPECT_EQ(HTMLEncodeSpaces("a b"), "a&nbsp;b");
}

TEST(HTMLTextOperations, PlainAndVisibleText) {
  EXPECT_EQ(HTMLToPlainText("a<br>b<B>c</B>"), "a\r\nbc");
  EXPECT_EQ(HTMLToPlainText("x<y"), "x<y");
  EXPECT_EQ(HTMLToPlainText("a<HR>&amp;"), "a\r\n&amp;");
  EXPECT_EQ(StripHTMLTags("<b>bold</b> plain"), "bold plain");
  EXPECT_EQ(StripHTMLTags("a > b"), "a > b");
  EXPECT_EQ(VisibleToHTMLPos("<b>ab</b>", 1), 1);  // lands before the tag
  EXPECT_EQ(VisibleToHTMLPos("<b>ab</b>", 2), 5);
  EXPECT_EQ(VisibleToHTMLPos("ab", 3), 3);
  EXPECT_EQ(VisibleToHTMLPos("ab", 4), 0);
  int pos = 0;
  EXPECT_EQ(FindTextFrom("b", "abab", 2, true, pos), 4);
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(FindTextFrom("B", "abab", 0, false, pos), 2);
  EXPECT_EQ(FindTextFrom("B", "abab", 0, true, pos), 0);
}

TEST(HTMLTextOperations, HighlightingAndItsRemoval) {
  const String html = "<b>abc</b>abc";
  const String hilit = HilightInHTML(html, "bc", "hi", true);
  EXPECT_EQ(hilit, "<b>a<hi>bc</hi></b>a<hi>bc</hi>");
  EXPECT_EQ(UnHilightInHTML(hilit, "hi"), html);
  EXPECT_EQ(HilightInHTML("aaaa", "aa", "hi", true), "<hi>aa</hi><hi>aa</hi>");
  EXPECT_EQ(HilightInHTML("ABC", "b", "hi", false), "A<hi>B</hi>C");
  EXPECT_EQ(UnHilightInHTML("<HI>x</Hi>", "hi"), "x");
}

// Letters whose upper case has another UTF-8 length (dotless i, long s) must not shift the
// positions found without regard to case: the tags go around the match, never inside a
// character.
TEST(HTMLTextOperations, CaseInsensitiveMatchesKeepTheirPlaceAfterLettersOfOtherLength) {
  const struct {
    const char* html;
    const char* search;
    const char* expected;
  } cases[] = {
      {"\xC4\xB1\xC4\xB1\xC4\xB1 x", "X", "\xC4\xB1\xC4\xB1\xC4\xB1 <hi>x</hi>"},
      {"\xC5\xBF\xC5\xBF ab", "B", "\xC5\xBF\xC5\xBF a<hi>b</hi>"},
      {"\xC3\xA9t\xC3\xA9", "\xC3\x89T", "<hi>\xC3\xA9t</hi>\xC3\xA9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.html);
    EXPECT_EQ(HilightInHTML(c.html, c.search, "hi", false), c.expected);
    int pos = 0;
    EXPECT_EQ(FindTextFrom(c.search, c.html, 0, false, pos), static_cast<int>(String(c.expected).find("<hi>")) + 1);
  }
}

TEST(HTMLTextOperations, HighlightingTextWithAnglesKeepsTheTags) {
  // The visible text holds "<" and ">": only the text parts are escaped, the bold stays.
  const String hilit = HilightInHTML("<b>1 < 2</b> > 0", "< 2", "hi", true);
  EXPECT_EQ(hilit, "<b>1 <hi>&lt; 2</hi></b> &gt; 0");
  EXPECT_EQ(UnHilightInHTML(hilit, "hi"), "<b>1 < 2</b> > 0");
}

TEST(HTMLTextOperations, ControlTags) {
  const String form =
      "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\"> "
      "<control type=\"edit\" id=\"e1\" value=\"x\" width=\"40\" maxlen=\"12a\" prop=\"p&lt;q\" height=\"20\"> "
      "<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\"> "
      "<CONTROL TYPE=\"COMBO\" ID=\"e2\" VALUE=\"\">";
  EXPECT_TRUE(HasHTMLControls(form));
  EXPECT_FALSE(HasHTMLControls("<b>x</b>"));
  EXPECT_EQ(NextHTMLEditControlID(form, ""), "e1");
  EXPECT_EQ(NextHTMLEditControlID(form, "e1"), "e2");
  EXPECT_EQ(NextHTMLEditControlID(form, "e2"), "");
  EXPECT_EQ(GetHTMLControlProp(form, "e1"), "p<q");
  EXPECT_EQ(GetHTMLControlMaxLen(form, "e1"), 12);
  EXPECT_EQ(GetHTMLControlMaxLen(form, "none"), 0);

  String edited = form;
  ASSERT_TRUE(SetHTMLControlValue(edited, "e1", "a<b"));
  THTMLControl e1 = ParseHTMLControlTag(edited.substr(edited.find("<CONTROL ID=\"e1\"")));
  EXPECT_EQ(e1.Value, "a<b");
  EXPECT_EQ(e1.Type, "EDIT");
  EXPECT_EQ(e1.Width, "40");
  EXPECT_EQ(e1.Height, "20");
  EXPECT_EQ(e1.Prop, "p<q");
  EXPECT_NE(edited.find("VALUE=\"a&lt;b\""), String::npos);
  String unchanged = form;
  EXPECT_FALSE(SetHTMLControlValue(unchanged, "none", "v"));
  EXPECT_EQ(unchanged, form);

  const String cleared = ClearHTMLRadioControls(form);
  EXPECT_EQ(ParseHTMLControlTag(cleared.substr(cleared.find("ID=\"r1\"") - 9)).Value, "FALSE");
  EXPECT_NE(cleared.find("ID=\"c1\" VALUE=\"TRUE\""), String::npos);  // check boxes untouched
  EXPECT_EQ(MaskPassword("ab\xC3\xA9"), "***");
}

TEST(HTMLTextOperations, SmallHelpers) {
  String s = "One two ONE";
  EXPECT_TRUE(ReplaceFirstNoCase("one", "1", s));
  EXPECT_EQ(s, "1 two ONE");
  EXPECT_FALSE(ReplaceFirstNoCase("three", "3", s));
  EXPECT_EQ(HexByteValue("1F"), 31);
  EXPECT_EQ(HexByteValue("ff"), 255);
  EXPECT_EQ(HexByteValue("G0"), 0);  // not hexadecimal
  EXPECT_EQ(HexByteValue("0"), 0);
}

}  // namespace
