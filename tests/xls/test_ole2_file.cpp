// The compound file: reading regular and mini streams, writing a changed "Workbook" stream
// (checked against an independent reader), and refusing damaged files cleanly.
#include <gtest/gtest.h>

#include <random>

#include "XlsTestHelpers.h"

using namespace xlstest;

namespace {
const WideString kWorkbook = u"Workbook";

std::vector<Byte> Pattern(size_t size, unsigned seed) {
  std::vector<Byte> data(size);
  std::mt19937 rng(seed);
  for (Byte& b : data) b = static_cast<Byte>(rng());
  return data;
}

uint32_t Get32(const std::string& s, size_t pos) {
  return static_cast<uint8_t>(s[pos]) | (static_cast<uint8_t>(s[pos + 1]) << 8) |
         (static_cast<uint8_t>(s[pos + 2]) << 16) | (static_cast<uint32_t>(static_cast<uint8_t>(s[pos + 3])) << 24);
}

void Put32(std::string& s, size_t pos, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[pos + i] = static_cast<char>(v >> (8 * i));
}

// Byte offset of allocation-table entry `sector` in a file with 512-byte sectors whose table
// sectors are all listed in the header.
size_t FatEntryOffset(const std::string& file, uint32_t sector) {
  return 512 + Get32(file, 76 + 4 * (sector / 128)) * 512 + 4 * (sector % 128);
}

// First sector of the directory entry named `name` (ASCII), searched in the first
// directory sector.
uint32_t FirstSectorOf(const std::string& file, const std::string& name) {
  size_t dir = 512 + Get32(file, 48) * 512;
  for (size_t e = dir; e < dir + 512; e += 128) {
    std::string entryName;
    for (size_t i = 0; i < 64 && file[e + i] != 0; i += 2) entryName += file[e + i];
    if (entryName == name) return Get32(file, e + 116);
  }
  ADD_FAILURE() << "no entry " << name;
  return 0;
}
}  // namespace

TEST(Ole2Read, FindsStreamsIgnoringCaseInRegularAndMiniStreams) {
  // small_grid's workbook lives in the mini stream, long_strings' in regular sectors.
  struct Case { const char* file; WideString name; Int64 size; };
  for (const Case& c : {Case{"small_grid.xls", u"WORKBOOK", 2446}, Case{"long_strings.xls", u"workbook", 63623},
                        Case{"rich_text.xls", u"\x05SummaryInformation", 172}}) {
    SCOPED_TRACE(c.file);
    std::istringstream in(Fixture(c.file));
    TOle2File file(in);
    file.SelectStream(c.name);
    EXPECT_EQ(file.Length(), c.size);
    EXPECT_FALSE(file.Eof());
    std::vector<Byte> head(4);
    file.Read(head);
    EXPECT_EQ(file.Position(), 4);
    // A property set starts with its byte-order mark, a workbook with a 16-byte BOF record.
    std::vector<Byte> expected = c.name == u"\x05SummaryInformation" ? std::vector<Byte>{0xFE, 0xFF, 0x00, 0x00}
                                                                     : std::vector<Byte>{0x09, 0x08, 0x10, 0x00};
    EXPECT_EQ(head, expected);
    file.SeekForward(c.size - 1);
    EXPECT_FALSE(file.NextEof(0));
    EXPECT_TRUE(file.NextEof(1));
    EXPECT_FALSE(file.Eof());
  }
}

TEST(Ole2Read, EngineAndIndependentReaderSeeTheSameStreams) {
  TempDir dir;
  for (const char* name : {"small_grid.xls", "long_strings.xls", "rich_text.xls"}) ExpectOlefileAgrees(Fixture(name), dir, name);
}

TEST(Ole2Read, ReadingPastTheEndReportsTheMissingBytes) {
  std::istringstream in(Fixture("small_grid.xls"));
  TOle2File file(in);
  file.SelectStream(kWorkbook);
  file.SeekForward(file.Length() - 5);
  std::vector<Byte> buf(10);
  EXPECT_EQ(MessageOf([&] { file.Read(buf); }), "End of stream reached with 5 bytes left to read");
  EXPECT_EQ(MessageOf([&] { file.SeekForward(10); }), "ZiviVev can't read the properties of this file.");
}

// An invalid file is named in the message; bytes of no known file get the engine's general
// message rather than an empty name.
TEST(Ole2Read, MissingStreamAndNonCompoundInput) {
  std::istringstream in(Fixture("small_grid.xls"));
  TOle2File file(in);
  EXPECT_EQ(MessageOf([&] { file.SelectStream(u"Book"); }), "Error reading Excel records. File invalid");
  std::istringstream named(Fixture("small_grid.xls"));
  TOle2File known(named, false, "/data/small_grid.xls");
  EXPECT_EQ(known.FileName(), "/data/small_grid.xls");
  EXPECT_EQ(MessageOf([&] { known.SelectStream(u"Book"); }), "The file \"/data/small_grid.xls\" is invalid");

  std::istringstream text("Species,SiteA\r\nSp1,1\r\n" + std::string(600, 'x'));
  text.seekg(3);
  TOle2File avoided(text, true);
  EXPECT_TRUE(avoided.NotXls97);
  EXPECT_EQ(text.tellg(), 3);
  std::istringstream again(text.str());
  EXPECT_EQ(MessageOf([&] { TOle2File f(again); }), "Error reading Excel records. File invalid");
  std::istringstream once_more(text.str());
  EXPECT_EQ(MessageOf([&] { TOle2File f(once_more, false, "matrix.txt"); }), "The file \"matrix.txt\" is invalid");
}

TEST(Ole2Read, CompoundFileInsideALargerStreamStartsAtTheStreamPosition) {
  std::string prefix(1000, 'z');
  std::istringstream in(prefix + Fixture("long_strings.xls"));
  in.seekg(1000);
  TOle2File file(in);
  EXPECT_EQ(ReadWholeStream(file, kWorkbook), StreamOf(Fixture("long_strings.xls"), kWorkbook));
}

TEST(Ole2Write, ChangedWorkbookStreamKeepsTheOtherStreams) {
  TempDir dir;
  for (const char* source : {"small_grid.xls", "long_strings.xls"}) {
    SCOPED_TRACE(source);
    std::string original = Fixture(source);
    std::vector<Byte> data = Pattern(5000, 1);
    std::string written = RewriteStream(original, kWorkbook, data);

    auto before = EngineListing(original);
    auto after = EngineListing(written);
    ASSERT_EQ(before.size(), after.size());
    for (auto& [name, sizeAndCrc] : before) {
      if (name != HexUtf16(kWorkbook)) {
        EXPECT_EQ(after[name], sizeAndCrc);
      }
    }
    EXPECT_EQ(StreamOf(written, kWorkbook), data);
    ExpectOlefileAgrees(written, dir, std::string("written_") + source);
  }
}

TEST(Ole2Write, StreamChainIsExactlyAsLongAsItsData) {
  // 5000 bytes take 10 sectors; the last link of the chain is the end mark.
  std::string written = RewriteStream(Fixture("small_grid.xls"), kWorkbook, Pattern(5000, 2));
  uint32_t first = FirstSectorOf(written, "Workbook");
  uint32_t s = first;
  int length = 1;
  while (Get32(written, FatEntryOffset(written, s)) != 0xFFFFFFFEu && length < 100) {
    EXPECT_EQ(Get32(written, FatEntryOffset(written, s)), s + 1);
    s = Get32(written, FatEntryOffset(written, s));
    ++length;
  }
  EXPECT_EQ(length, 10);
  EXPECT_EQ(written.size() % 512, 0u);
}

TEST(Ole2Write, SmallStreamIsPaddedToTheMiniStreamCutoff) {
  std::vector<Byte> data = Pattern(100, 3);
  std::string written = RewriteStream(Fixture("small_grid.xls"), kWorkbook, data);
  std::vector<Byte> back = StreamOf(written, kWorkbook);
  ASSERT_EQ(back.size(), 4096u);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin()));
  EXPECT_TRUE(std::all_of(back.begin() + 100, back.end(), [](Byte b) { return b == 0; }));
}

TEST(Ole2Write, StreamLargerThan8MiBNeedsExtensionSectors) {
  std::vector<Byte> data = Pattern(9 * 1024 * 1024 + 123, 4);
  std::string written = RewriteStream(Fixture("rich_text.xls"), kWorkbook, data);
  EXPECT_GT(Get32(written, 72), 0u);  // DIF sectors in use: more than 109 table sectors
  EXPECT_EQ(StreamOf(written, kWorkbook), data);
  TempDir dir;
  ExpectOlefileAgrees(written, dir, "large.xls");
}

TEST(Ole2Write, WrittenFileCanBeRewrittenAgain) {
  std::string once = RewriteStream(Fixture("long_strings.xls"), kWorkbook, Pattern(70000, 5));
  std::vector<Byte> second = Pattern(6000, 6);
  std::string twice = RewriteStream(once, u"WORKBOOK", second);
  EXPECT_EQ(StreamOf(twice, kWorkbook), second);
  EXPECT_EQ(StreamOf(twice, u"\x05SummaryInformation"), StreamOf(Fixture("long_strings.xls"), u"\x05SummaryInformation"));
}

TEST(Ole2Write, DeletedEntriesLeaveAValidTree) {
  std::string written = RewriteStream(Fixture("small_grid.xls"), kWorkbook, Pattern(5000, 7), {u"\x01Ole", u"\x05SummaryInformation"});
  auto listing = EngineListing(written);
  EXPECT_EQ(listing.count(HexUtf16(u"\x01Ole")), 0u);
  EXPECT_EQ(listing.count(HexUtf16(u"\x05SummaryInformation")), 0u);
  EXPECT_EQ(listing.count(HexUtf16(u"\x01" u"CompObj")), 1u);
  TempDir dir;
  ExpectOlefileAgrees(written, dir, "deleted.xls");
}

TEST(Ole2Write, OperationsInTheWrongStateAreRefused) {
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  EXPECT_EQ(MessageOf([&] { file.Write16(1); }), "Invalid OLE Stream operation on stream: \"\"");
  EXPECT_EQ(MessageOf([&] { file.PrepareForWrite(out, u"NoSuchStream"); }), "Invalid OLE Stream operation on stream: \"\"");
  std::stringstream out2;
  file.PrepareForWrite(out2, kWorkbook);
  EXPECT_EQ(MessageOf([&] { file.SelectStream(kWorkbook); }), "Invalid OLE Stream operation on stream: \"Workbook\"");
  EXPECT_EQ(MessageOf([&] { file.NextEof(3); }), "Invalid OLE Stream operation on stream: \"\"");
  file.WriteHeader(0x0809, 2);
  file.Write16(0x0600);
  EXPECT_EQ(file.Position(), 6);
  file.Close();
  EXPECT_EQ(StreamOf(out2.str(), kWorkbook)[0], 0x09);
}

TEST(Ole2Damaged, RandomBytesFailCleanly) {
  std::mt19937 rng(11);
  std::string noise(8192, '\0');
  for (char& c : noise) c = static_cast<char>(rng());
  std::istringstream in1(noise);
  EXPECT_EQ(MessageOf([&] { TOle2File f(in1); }), "Error reading Excel records. File invalid");
  // With the right signature the rest is still noise.
  std::string signed_ = noise;
  std::copy(TOle2Header::FileSignature.begin(), TOle2Header::FileSignature.end(), signed_.begin());
  std::istringstream in2(signed_);
  EXPECT_EQ(MessageOf([&] { TOle2File f(in2); f.SelectStream(kWorkbook); }), "Error reading Excel records. File invalid");
}

TEST(Ole2Damaged, TruncatedFilesFailCleanly) {
  std::string whole = Fixture("long_strings.xls");
  for (size_t length : {size_t{100}, size_t{511}, size_t{513}, whole.size() / 2, whole.size() - 512, whole.size() - 1}) {
    SCOPED_TRACE(length);
    std::istringstream in(whole.substr(0, length));
    std::string message = MessageOf([&] {
      TOle2File f(in);
      ReadWholeStream(f, kWorkbook);
    });
    EXPECT_EQ(message, "Error reading Excel records. File invalid");
  }
}

TEST(Ole2Damaged, CyclicChainsFailCleanly) {
  std::string original = Fixture("long_strings.xls");
  // The workbook's third sector links back to its first.
  std::string streamCycle = original;
  uint32_t first = FirstSectorOf(original, "Workbook");
  uint32_t second = Get32(original, FatEntryOffset(original, first));
  Put32(streamCycle, FatEntryOffset(original, second), first);
  std::istringstream in1(streamCycle);
  EXPECT_EQ(MessageOf([&] { TOle2File f(in1); ReadWholeStream(f, kWorkbook); }), "Error reading Excel records. File invalid");

  // The directory's only sector links to itself.
  std::string dirCycle = original;
  uint32_t dir = Get32(original, 48);
  Put32(dirCycle, FatEntryOffset(original, dir), dir);
  std::istringstream in2(dirCycle);
  EXPECT_EQ(MessageOf([&] { TOle2File f(in2); }), "Error reading Excel records. File invalid");

  // A mini-stream chain that loops.
  std::string miniCycle = Fixture("small_grid.xls");
  uint32_t miniFat = Get32(miniCycle, 60);
  uint32_t miniFirst = FirstSectorOf(miniCycle, "Workbook");
  Put32(miniCycle, 512 + miniFat * 512 + 4 * (miniFirst + 1), miniFirst);
  std::istringstream in3(miniCycle);
  EXPECT_EQ(MessageOf([&] { TOle2File f(in3); ReadWholeStream(f, kWorkbook); }), "Error reading Excel records. File invalid");
}

TEST(Ole2Damaged, HugeCountsAreRefusedBeforeAllocating) {
  std::string original = Fixture("small_grid.xls");
  for (size_t field : {size_t{44}, size_t{64}, size_t{72}}) {
    std::string bad = original;
    Put32(bad, field, 0x7FFFFFFF);
    std::istringstream in(bad);
    EXPECT_EQ(MessageOf([&] { TOle2File f(in); }), "Error reading Excel records. File invalid") << field;
  }
  std::string badShift = original;
  badShift[30] = 20;
  std::istringstream in(badShift);
  EXPECT_EQ(MessageOf([&] { TOle2File f(in); }), "Error reading Excel records. File invalid");
}

namespace {
// A version-4 compound file (4096-byte sectors): header block, table sector 0, directory
// sector 1, and the workbook stream from sector 2 on.
std::string Version4File(const std::vector<Byte>& workbook) {
  const size_t sector = 4096;
  size_t streamSectors = (workbook.size() + sector - 1) / sector;
  std::string file((3 + streamSectors) * sector, '\0');  // header block, table, directory, stream
  const std::string signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  file.replace(0, 8, signature);
  auto put16 = [&](size_t pos, uint16_t v) { file[pos] = static_cast<char>(v); file[pos + 1] = static_cast<char>(v >> 8); };
  put16(24, 0x003E);
  put16(26, 4);
  put16(28, 0xFFFE);
  put16(30, 12);
  put16(32, 6);
  Put32(file, 40, 1);
  Put32(file, 44, 1);
  Put32(file, 48, 1);
  Put32(file, 56, 4096);
  Put32(file, 60, 0xFFFFFFFE);
  Put32(file, 68, 0xFFFFFFFE);
  for (int i = 0; i < 109; ++i) Put32(file, 76 + 4 * i, i == 0 ? 0 : 0xFFFFFFFF);
  size_t fat = sector;  // sector 0
  for (size_t i = 0; i < sector / 4; ++i) Put32(file, fat + 4 * i, 0xFFFFFFFF);
  Put32(file, fat, 0xFFFFFFFD);
  Put32(file, fat + 4, 0xFFFFFFFE);
  for (size_t s = 0; s < streamSectors; ++s) Put32(file, fat + 4 * (2 + s), s + 1 == streamSectors ? 0xFFFFFFFE : 3 + s);
  size_t dir = 2 * sector;  // sector 1
  auto entry = [&](size_t index, const std::u16string& name, uint8_t type, uint32_t child, uint32_t start, uint32_t size) {
    size_t e = dir + 128 * index;
    for (size_t i = 0; i < name.size(); ++i) put16(e + 2 * i, name[i]);
    put16(e + 64, name.empty() ? 0 : static_cast<uint16_t>(2 * name.size() + 2));
    file[e + 66] = static_cast<char>(type);
    file[e + 67] = 1;
    Put32(file, e + 68, 0xFFFFFFFF);
    Put32(file, e + 72, 0xFFFFFFFF);
    Put32(file, e + 76, child);
    Put32(file, e + 116, start);
    Put32(file, e + 120, size);
  };
  entry(0, u"Root Entry", 5, 1, 0xFFFFFFFE, 0);
  entry(1, u"Workbook", 2, 0xFFFFFFFF, 2, static_cast<uint32_t>(workbook.size()));
  for (size_t i = 2; i < sector / 128; ++i) entry(i, u"", 0, 0xFFFFFFFF, 0, 0);
  std::copy(workbook.begin(), workbook.end(), file.begin() + 3 * sector);
  return file;
}
}  // namespace

TEST(Ole2Read, LargeSectorFilesPlaceSectorsAfterAFullSectorHeader) {
  std::vector<Byte> data = Pattern(5000, 8);
  std::string v4 = Version4File(data);
  EXPECT_EQ(StreamOf(v4, kWorkbook), data);
  std::vector<Byte> changed = Pattern(9000, 9);
  std::string written = RewriteStream(v4, kWorkbook, changed);
  EXPECT_EQ(written.size() % 4096, 0u);
  EXPECT_EQ(StreamOf(written, kWorkbook), changed);
  TempDir dir;
  ExpectOlefileAgrees(v4, dir, "v4.xls");
  ExpectOlefileAgrees(written, dir, "v4_written.xls");
}
