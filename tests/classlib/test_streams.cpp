// Streams: positions, short reads, gap filling, file modes and their errors.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "classlib/Streams.h"
#include "classlib/SysUtils.h"

namespace {

TEST(Streams, MemoryStreamPositionsAndGaps) {
  TMemoryStream m;
  m.WriteString("abc");
  EXPECT_EQ(m.Position(), 3);
  m.Seek(2, soFromCurrent);
  m.WriteString("Z");  // the gap is zeros
  EXPECT_EQ(m.Size(), 6);
  EXPECT_EQ(String(static_cast<const char*>(m.Memory()), 6), String("abc\0\0Z", 6));
  m.Seek(-2, soFromEnd);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 2);  // a short read is not an error
  EXPECT_EQ(m.Read(buf, 8), 0);
  m.SetPosition(4);
  EXPECT_THROW(m.ReadBuffer(buf, 3), EReadError);
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);
  m.SetPosition(0);
  EXPECT_EQ(m.ReadAll(), "ab");
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
}

TEST(Streams, CopyFromAndStringStreams) {
  TStringStream source("hello world");
  source.SetPosition(6);
  TStringStream target;
  EXPECT_EQ(target.CopyFrom(source, 5), 5);
  EXPECT_EQ(target.DataString(), "world");
  EXPECT_EQ(target.CopyFrom(source, 0), 11);  // 0: the whole source
  EXPECT_EQ(target.DataString(), "worldhello world");
  source.SetPosition(9);
  EXPECT_THROW(target.CopyFrom(source, 5), EReadError);
  source.SetPosition(0);
  EXPECT_EQ(source.ReadString(5), "hello");
  EXPECT_EQ(source.ReadString(50), " world");
}

TEST(Streams, FileStreamModesAndErrors) {
  const String dir = std::filesystem::temp_directory_path().string() + "/zorvan_st_" + std::to_string(getpid());
  ForceDirectories(dir);
  const String path = dir + "/data.bin";
  {
    TFileStream f(path, fmCreate);
    f.WriteString("0123456789");
    f.Seek(2, soFromBeginning);
    f.WriteString("ab");
    EXPECT_EQ(f.Size(), 10);
    EXPECT_EQ(f.Position(), 4);
  }
  {
    TFileStream f(path, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(f.ReadAll(), "01ab456789");
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
  }
  {
    TFileStream f(path, fmOpenReadWrite);
    f.SetSize(4);
    f.Seek(0, soFromEnd);
    f.WriteString("!");
  }
  EXPECT_EQ(ReadFileBytes(path), "01ab!");
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(m.Size(), 5);
  m.SaveToFile(dir + "/copy.bin");
  EXPECT_EQ(ReadFileBytes(dir + "/copy.bin"), "01ab!");

  try {
    TFileStream f(dir + "/missing.bin", fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message, "Cannot open file \"" + dir + "/missing.bin\"");
  }
  EXPECT_THROW(TFileStream(dir, fmOpenRead), EFOpenError);
  try {
    TFileStream f(dir + "/no/such.bin", fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message, "Cannot create file \"" + dir + "/no/such.bin\"");
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
