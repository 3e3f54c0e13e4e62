// Byte streams: the abstract stream, files, memory and strings.
#pragma once

#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

// A sequence of bytes with a position. Read and Write move the position and may transfer fewer
// bytes than asked (a short read at the end is not an error); ReadBuffer and WriteBuffer
// transfer all or raise EReadError "Stream read error" / EWriteError "Stream write error".
class TStream : public TObject {
 public:
  virtual Integer Read(void* Buffer, Integer Count) = 0;
  virtual Integer Write(const void* Buffer, Integer Count) = 0;
  // Returns the new position.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

  void ReadBuffer(void* Buffer, Integer Count);
  void WriteBuffer(const void* Buffer, Integer Count);

  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Value) { Seek(Value, soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 NewSize);

  // Copies Count bytes from Source's position; Count 0 copies the whole of Source from its
  // start. Returns the bytes copied.
  Int64 CopyFrom(TStream& Source, Int64 Count);

  // Convenience for text: the rest of the stream as bytes, and writing bytes.
  String ReadAll();
  void WriteString(const String& S) { WriteBuffer(S.data(), static_cast<Integer>(S.size())); }
};

// Open modes. fmCreate makes a new empty file (replacing an old one) open for reading and
// writing. The share flags have no effect on this platform.
enum : Word {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,
};

// A stream on a file. Raises EFCreateError "Cannot create file \"<name>\"" or EFOpenError
// "Cannot open file \"<name>\"" when the file cannot be had in the mode asked.
class TFileStream : public TStream {
 public:
  TFileStream(const String& FileName, Word Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;
  const String& FileName() const { return fileName_; }
  int Handle() const { return fd_; }

 private:
  String fileName_;
  int fd_ = -1;
};

// A stream in memory. Seeking past the end is allowed; a write there fills the gap with zeros.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;

  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return static_cast<Int64>(data_.size()); }
  // Keeps the contents up to NewSize (new bytes are zeros); the position stays unless it
  // would lie beyond the new end.
  void SetSize(Int64 NewSize) override;

  void* Memory() { return data_.data(); }
  const void* Memory() const { return data_.data(); }
  const std::vector<char>& Bytes() const { return data_; }
  void Clear();
  void LoadFromStream(TStream& Stream);
  void LoadFromFile(const String& FileName);
  void SaveToStream(TStream& Stream) const;
  // Written whole or not at all.
  void SaveToFile(const String& FileName) const;

 protected:
  std::vector<char> data_;
  Int64 position_ = 0;
};

// A memory stream over text bytes.
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(const String& AString = String());
  String DataString() const { return String(data_.begin(), data_.end()); }
  // Up to Count bytes from the position.
  String ReadString(Integer Count);
};
