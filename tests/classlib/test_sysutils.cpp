// Text helpers, code pages, dates and the clock, files and folders.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "classlib/SysUtils.h"

namespace {

TEST(Text, TrimAndCase) {
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a \x01"), "  a");
  EXPECT_EQ(Trim(String("\0x\0", 3)), "x");
  EXPECT_EQ(UpperCase("abc\xC3\xA4"), "ABC\xC3\xA4");  // ASCII only
  EXPECT_EQ(AnsiUpperCase("abc\xC3\xA4"), "ABC\xC3\x84");
  EXPECT_EQ(LowerCase("AbC"), "abc");
  EXPECT_TRUE(SameText("Guild", "gUILD"));
  EXPECT_FALSE(SameText("Guild", "Guilds"));
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareStr("apple", "Banana"), 0);
  EXPECT_EQ(CompareStr("a", "a"), 0);
  EXPECT_LT(AnsiCompareStr("a", "A"), 0);
  EXPECT_LT(AnsiCompareStr("A", "b"), 0);
}

TEST(Text, ReplaceQuoteAndPositions) {
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
  EXPECT_EQ(StringReplace("xAxa", "a", "_", rfReplaceAll | rfIgnoreCase), "x_x_");
  EXPECT_EQ(StringReplace("aaa", "aa", "a", rfReplaceAll), "aa");  // no re-scan of replaced text
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiDequotedStr("'it''s' rest", '\''), "it's");
  EXPECT_EQ(Pos("b", "abcb"), 2);
  EXPECT_EQ(Pos("z", "abc"), 0);
  EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Copy("abc", 3, 10), "c");
  EXPECT_EQ(Copy("abc", 4, 1), "");
}

TEST(Text, UnicodeAndWindows1252) {
  const String mixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a e-acute euro grinning-face
  WideString w = Utf8ToWide(mixed);
  ASSERT_EQ(w.size(), 5u);  // the emoji takes a surrogate pair
  EXPECT_EQ(w[2], u'\u20AC');
  EXPECT_EQ(WideToUtf8(w), mixed);
  EXPECT_EQ(Utf8ToWide("a\xFF"), u"a\uFFFD");

  EXPECT_TRUE(IsValidUtf8(mixed));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));
  // A file from a Windows machine shows as Windows-1252; UTF-8 stays as it is.
  EXPECT_EQ(ToDisplayText("\x93" "caf\xE9\x94 \x80"), "\xE2\x80\x9C" "caf\xC3\xA9\xE2\x80\x9D \xE2\x82\xAC");
  EXPECT_EQ(ToDisplayText(mixed), mixed);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8("\x80\x81\xA0\xFF")), "\x80\x81\xA0\xFF");
}

class Dates : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings = TFormatSettings::Invariant(); }
  void TearDown() override {
    FormatSettings = TFormatSettings::Invariant();
    SetClockSource(nullptr);
  }
};

TEST_F(Dates, EncodeAndDecodeAgree) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  // Every day from 1600 to 2400 decodes to what encoded it.
  for (int day = static_cast<int>(EncodeDate(1600, 1, 1)); day <= EncodeDate(2400, 12, 31); day += 1) {
    Word y, m, d;
    DecodeDate(day, y, m, d);
    ASSERT_EQ(EncodeDate(y, m, d), day);
  }
  Word y, m, d;
  DecodeDate(-1.25, y, m, d);  // before the epoch; the fraction is still the time of day
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  Word h, n, s, ms;
  DecodeTime(EncodeTime(23, 59, 58, 999), h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235958999);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(h, 6);

  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2);   // Monday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7); // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29)), 6);

  try {
    EncodeDate(2023, 2, 29);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "Invalid argument to date encode");
  }
  EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
  EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST_F(Dates, FormatDateTimeSpecifiers) {
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(13, 4, 5, 67);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", t), "2024-03-05 13:04:05.067");
  EXPECT_EQ(FormatDateTime("d/m/yy", t), "5-3-24");  // '/' is the date separator
  EXPECT_EQ(FormatDateTime("hh:mm", t), "13:04");    // m after an hour means minutes
  EXPECT_EQ(FormatDateTime("h:mm am/pm", t), "1:04 pm");
  EXPECT_EQ(FormatDateTime("h:mm AMPM", t), "1:04 PM");
  EXPECT_EQ(FormatDateTime("h a/p", EncodeTime(0, 30, 0, 0)), "12 a");
  EXPECT_EQ(FormatDateTime("dddd d mmmm, ddd mmm", t), "Tuesday 5 March, Tue Mar");
  EXPECT_EQ(FormatDateTime("'at' h 'h' \"mm\"", t), "at 13 h mm");
  EXPECT_EQ(FormatDateTime("c", t), "2024-03-05 13:04:05");
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "2024-03-05");
  EXPECT_EQ(DateToStr(t), "2024-03-05");
  EXPECT_EQ(TimeToStr(t), "13:04:05");
  FormatSettings.LongTimeFormat = "h.nn.ss";
  FormatSettings.TimeSeparator = '.';
  EXPECT_EQ(TimeToStr(t), "13.04.05");
}

TEST_F(Dates, ManualClockDrivesNowAndTicksTogether) {
  TManualClock clock(EncodeDate(2024, 3, 5) + EncodeTime(10, 0, 0, 0), 5000);
  SetClockSource(&clock);
  EXPECT_EQ(GetTickCount(), 5000u);
  EXPECT_EQ(TimeToStr(Now()), "10:00:00");
  clock.Advance(61500);
  EXPECT_EQ(GetTickCount(), 66500u);
  EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Now()), "10:01:01.500");
  EXPECT_EQ(Date(), EncodeDate(2024, 3, 5));
  SetClockSource(nullptr);
  EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/zorvan_files_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  String Path(const String& name) const { return dir_ + "/" + name; }
  String dir_;
};

TEST(PathNames, Table) {
  EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
  EXPECT_EQ(ExtractFileName("c.txt"), "c.txt");
  EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
  EXPECT_EQ(ExtractFilePath("c.txt"), "");
  EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
  EXPECT_EQ(ExtractFileDir("/c.txt"), "/");
  EXPECT_EQ(ExtractFileExt("/a.d/b.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt("/a.d/b"), "");
  EXPECT_EQ(ChangeFileExt("/a.d/b", ".xls"), "/a.d/b.xls");
  EXPECT_EQ(ChangeFileExt("data.txt", ".xls"), "data.xls");
  EXPECT_EQ(ChangeFileExt("data.txt", ""), "data");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a//"), "/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
  EXPECT_EQ(ExpandFileName("/a/./b/../c.txt"), "/a/c.txt");
  EXPECT_EQ(ExpandFileName("x.txt"), IncludeTrailingPathDelimiter(GetCurrentDir()) + "x.txt");
  EXPECT_TRUE(MatchesMask("Sim12.TXT", "sim*.txt"));
  EXPECT_TRUE(MatchesMask("a.b.txt", "*.txt"));
  EXPECT_FALSE(MatchesMask("a.txt1", "*.txt"));
  EXPECT_TRUE(MatchesMask("ab", "a?"));
  EXPECT_FALSE(MatchesMask("abc", "a?"));
}

TEST_F(Files, FoldersAndListing) {
  EXPECT_TRUE(ForceDirectories(Path("x/y/z")));
  EXPECT_TRUE(DirectoryExists(Path("x/y/z")));
  EXPECT_FALSE(FileExists(Path("x/y/z")));
  WriteFileAtomically(Path("b.TXT"), "b");
  WriteFileAtomically(Path("a.txt"), "aa");
  WriteFileAtomically(Path("c.dat"), "c");
  ForceDirectories(Path("d.txt"));  // a folder, not a file
  EXPECT_EQ(ListFiles(dir_, "*.txt"), (std::vector<String>{"a.txt", "b.TXT"}));
  EXPECT_EQ(ListFiles(dir_, "*").size(), 3u);
  EXPECT_TRUE(ListFiles(Path("missing"), "*").empty());
  EXPECT_EQ(FileSize(Path("a.txt")), 2);
  EXPECT_EQ(FileSize(Path("missing")), -1);

  EXPECT_FALSE(RenameFile(Path("a.txt"), Path("b.TXT")));  // an existing target is kept
  EXPECT_TRUE(RenameFile(Path("a.txt"), Path("e.txt")));
  EXPECT_TRUE(FileExists(Path("e.txt")));
  EXPECT_TRUE(DeleteFile(Path("e.txt")));
  EXPECT_FALSE(DeleteFile(Path("e.txt")));
  EXPECT_FALSE(DeleteFile(Path("d.txt")));

  const String old = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(dir_));
  EXPECT_TRUE(FileExists("b.TXT"));
  EXPECT_EQ(ListFiles("", "*.dat"), (std::vector<String>{"c.dat"}));
  SetCurrentDir(old);
}

TEST_F(Files, AtomicWriteGoesThroughLinksAndKeepsReadOnlyFiles) {
  namespace fs = std::filesystem;
  ForceDirectories(Path("real"));
  WriteFileAtomically(Path("real/data.txt"), "old");
  fs::create_symlink("real/data.txt", Path("relative.txt"));
  fs::create_symlink(Path("relative.txt"), Path("chain.txt"));
  fs::create_symlink("real/new.txt", Path("dangling.txt"));
  struct Case {
    const char* Link;
    const char* Target;
  };
  for (const Case& k : {Case{"relative.txt", "real/data.txt"}, Case{"chain.txt", "real/data.txt"},
                        Case{"dangling.txt", "real/new.txt"}}) {
    SCOPED_TRACE(k.Link);
    WriteFileAtomically(Path(k.Link), k.Link);
    EXPECT_TRUE(fs::is_symlink(Path(k.Link)));
    EXPECT_EQ(ReadFileBytes(Path(k.Target)), k.Link);
  }
  // The temporary file stood beside the target: nothing else is left in either folder.
  EXPECT_EQ(ListFiles(Path("real"), "*"), (std::vector<String>{"data.txt", "new.txt"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 4);

  // A read-only file (even for the superuser) and a file behind a link to it stay as they are.
  ::chmod(Path("real/data.txt").c_str(), 0444);
  for (const char* name : {"real/data.txt", "relative.txt"}) {
    SCOPED_TRACE(name);
    try {
      WriteFileAtomically(Path(name), "new");
      FAIL() << "written";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.Message, "Cannot create file \"" + Path(name) + "\"");
    }
    EXPECT_EQ(ReadFileBytes(Path("real/data.txt")), "chain.txt");
  }
  EXPECT_EQ(ListFiles(Path("real"), "*").size(), 2u);
  // A link loop and a device are refused too.
  fs::create_symlink(Path("loop2.txt"), Path("loop1.txt"));
  fs::create_symlink(Path("loop1.txt"), Path("loop2.txt"));
  EXPECT_THROW(WriteFileAtomically(Path("loop1.txt"), "x"), EFCreateError);
  EXPECT_THROW(WriteFileAtomically("/dev/null", "x"), EFCreateError);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(Files, ReadingTakesRegularFilesOnly) {
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
  ForceDirectories(Path("dir"));
  for (const String& name : {Path("pipe"), Path("dir"), String("/dev/null")}) {
    SCOPED_TRACE(name);
    try {
      ReadFileBytes(name);
      FAIL() << "read";
    } catch (const EFOpenError& e) {
      EXPECT_EQ(e.Message, "Cannot open file \"" + name + "\"");
    }
  }
}

TEST_F(Files, AtomicWriteReplacesWholeOrNotAtAll) {
  const String target = Path("summary.txt");
  WriteFileAtomically(target, String("old\0data", 8));
  EXPECT_EQ(ReadFileBytes(target), String("old\0data", 8));
  WriteFileAtomically(target, "new");
  EXPECT_EQ(ReadFileBytes(target), "new");

  // A write that fails half-way (file size limit) leaves the old file and no temporary.
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1024;
  setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(WriteFileAtomically(target, String(100000, 'x')), EWriteError);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_EQ(ListFiles(dir_, "*").size(), 1u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);

  try {
    WriteFileAtomically(Path("no/such/folder.txt"), "x");
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message, "Cannot create file \"" + Path("no/such/folder.txt") + "\"");
  }
  ForceDirectories(Path("dir"));
  EXPECT_THROW(WriteFileAtomically(Path("dir"), "x"), EFCreateError);
  try {
    ReadFileBytes(Path("missing.txt"));
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message, "Cannot open file \"" + Path("missing.txt") + "\"");
  }
}

}  // namespace

namespace {

TEST(RegionalSettings, TakenFromTheLocale) {
  const TFormatSettings c = TFormatSettings::FromLocaleName("C");
  EXPECT_EQ(c.DecimalSeparator, '.');
  EXPECT_EQ(c.LongTimeFormat, "hh:nn:ss");

  const TFormatSettings de = TFormatSettings::FromLocaleName("de_DE");
  EXPECT_EQ(de.DecimalSeparator, ',');
  EXPECT_EQ(de.ThousandSeparator, '.');
  EXPECT_EQ(de.DateSeparator, '.');
  EXPECT_EQ(de.TimeSeparator, ':');
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(13, 4, 5, 0);
  EXPECT_EQ(FormatDateTime(de.ShortDateFormat, t, de), "05.03.24");
  EXPECT_EQ(FormatDateTime(de.LongTimeFormat, t, de), "13:04:05");
  EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 2, de), "1.234,50");

  const TFormatSettings us = TFormatSettings::FromLocaleName("en_US");
  EXPECT_EQ(FormatDateTime(us.LongTimeFormat, t, us), "1:04:05 PM");
  EXPECT_EQ(FormatDateTime(us.ShortDateFormat, t, us), "3/5/24");
}

}  // namespace
