// The encryption interface of the compound-file writer: with an engine installed, Write,
// Write16 and Write32 pass through it with the record length WriteHeader noted, while record
// headers and WriteMem stay plain; reading an encrypted workbook is still refused.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"

using namespace xlstest;

namespace {

// Flips every bit and records what it was asked.
class TFlipEngine : public TEncryptionEngine {
 public:
  std::vector<std::pair<Int64, Integer>> Calls;  // stream position, record length
  bool CheckHash(const WideString&) override { return true; }
  ArrayOfByte Decode(const ArrayOfByte& Data, Int64, Integer, Integer, Integer) override { return Data; }
  ArrayOfByte Encode(const ArrayOfByte& Data, Int64 Pos, Integer Start, Integer Count, Integer Len) override {
    Calls.push_back({Pos, Len});
    ArrayOfByte out(Data.begin() + Start, Data.begin() + Start + Count);
    for (Byte& b : out) b = static_cast<Byte>(~b);
    return out;
  }
  Word Encode(Word Data, Int64 Pos, Integer Len) override {
    Calls.push_back({Pos, Len});
    return static_cast<Word>(~Data);
  }
  Cardinal Encode(Cardinal Data, Int64 Pos, Integer Len) override {
    Calls.push_back({Pos, Len});
    return ~Data;
  }
  ArrayOfByte GetFilePassRecord() override { return ArrayOfByte(54, 1); }
  Integer GetFilePassRecordLen() override { return 58; }
};

TEST(Encryption, WritesPassThroughTheEngineExceptHeadersAndRawBytes) {
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  EXPECT_EQ(file.Encryption().TotalSize(), 0);
  auto engine = std::make_unique<TFlipEngine>();
  TFlipEngine* flip = engine.get();
  file.Encryption().Engine = std::move(engine);
  EXPECT_EQ(file.Encryption().TotalSize(), 58);
  file.PrepareForWrite(out, u"Workbook");
  file.WriteHeader(0x0042, 9);
  file.Write16(0x1234);
  file.Write32(0x01020304);
  file.Write(ArrayOfByte{0xAA, 0x0F, 0x55}, 1, 2);
  const Byte raw = 0x77;
  file.WriteMem(&raw, 1);
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  stream.resize(13);
  EXPECT_EQ(stream, (std::vector<Byte>{0x42, 0x00, 0x09, 0x00, 0xCB, 0xED, 0xFB, 0xFC, 0xFD, 0xFE, 0xF0, 0xAA, 0x77}));
  EXPECT_EQ(flip->Calls, (std::vector<std::pair<Int64, Integer>>{{4, 9}, {6, 9}, {10, 9}}));
}

TEST(Encryption, EncryptedWorkbooksAreRefused) {
  auto compound = CompoundWithStream(Join({BofRecord(5), Rec(0x002F, ArrayOfByte(54, 0)), Filler(), Rec(0x000A, {})}));
  EXPECT_EQ(MessageOf([&] { RecordsOf(compound); }), "File is password protected");
}

}  // namespace
