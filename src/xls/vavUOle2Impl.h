// The compound file ("structured storage") that holds an Excel 97-2003 workbook: open it on a
// byte stream, find a stream by name and read it (regular or mini stream), and write a copy
// of the file in which one stream gets new contents while every other stream is carried over
// sector by sector.
//
// Reading validates everything it takes from the file before using it: the header, sector
// sizes, every count and sector number against the file's size, and every chain for cycles.
// A damaged file fails with "Error reading Excel records. File invalid"; no read leaves the
// file and no allocation is sized by an unchecked count.
#pragma once

#include <array>
#include <istream>
#include <optional>
#include <ostream>
#include <vector>

#include "xls/vavUBiffProtect.h"
#include "xls/vavUOle2Directory.h"
#include "xls/vavUOle2FAT.h"
#include "xls/vavXlsMessages.h"

// The compound file header: the 76-byte fixed part (typed fields are read and written in it)
// and where the file starts in its byte stream.
class TOle2Header {
 public:
  static constexpr std::array<Byte, 8> FileSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

  std::array<Byte, Ole2::HeaderFixedSize> Data{};
  bool NotXls97 = false;
  Int64 StartOfs = 0;
  Cardinal SectorSize = 512;
  Cardinal uSectorShift = 9;
  Cardinal ulMiniSectorCutoff = Ole2::MiniSectorCutoff;

  Word SectorShift() const { return GetWord(Data, 30); }
  Word MiniSectorShift() const { return GetWord(Data, 32); }
  Integer csectFat() const { return static_cast<Integer>(GetCardinal(Data, 44)); }
  Integer sectDirStart() const { return static_cast<Integer>(GetCardinal(Data, 48)); }
  Cardinal MiniSectorCutoff() const { return GetCardinal(Data, 56); }
  Integer sectMiniFatStart() const { return static_cast<Integer>(GetCardinal(Data, 60)); }
  Integer csectMiniFat() const { return static_cast<Integer>(GetCardinal(Data, 64)); }
  Integer sectDifStart() const { return static_cast<Integer>(GetCardinal(Data, 68)); }
  Integer csectDif() const { return static_cast<Integer>(GetCardinal(Data, 72)); }
  void SetCardinalField(size_t Pos, Integer Value) { SetCardinal(Data, Pos, static_cast<Cardinal>(Value)); }
  // Bytes from the start of the header block to sector 0: the header occupies one sector.
  Int64 SectorBase() const { return SectorSize; }
};

// A compound file opened for reading, or being written as a changed copy.
class TOle2File {
 public:
  // Opens the compound file at aStream's current position; aFileName, when known, is the file
  // the bytes came from and is named in the messages. When the stream holds no compound file
  // and AvoidExceptions is set, NotXls97 is set and the stream is put back; otherwise the file
  // is refused as invalid (RaiseFileInvalid).
  explicit TOle2File(std::istream& aStream, bool AvoidExceptions = false, const String& aFileName = String());
  // Completes a pending write; errors there cannot leave a destructor, so call Close first
  // to see them.
  ~TOle2File();
  TOle2File(const TOle2File&) = delete;
  TOle2File& operator=(const TOle2File&) = delete;

  bool NotXls97 = false;
  const TOle2Header& Header() const { return FHeader; }

  // Makes the first stream named StreamName (ignoring case) current, at position 0.
  void SelectStream(const WideString& StreamName);
  void SelectStream(const String& StreamName);
  // Names of every stream in the file, in directory order.
  std::vector<WideString> StreamNames();

  void ReadMem(void* Buffer, Int64 Count);
  void Read(std::vector<Byte>& Buffer) { if (!Buffer.empty()) ReadMem(Buffer.data(), static_cast<Int64>(Buffer.size())); }
  // True when fewer than Count + 1 bytes are left to read.
  bool NextEof(Int64 Count) const;
  bool Eof() const;
  Int64 Length() const;
  // Read position; while writing, the number of bytes written so far.
  Int64 Position() const;
  const String& FileName() const { return FFileName; }
  // "The file "%s" is invalid" with the file's name; without a name, which would show as "",
  // "Error reading Excel records. File invalid".
  [[noreturn]] void RaiseFileInvalid() const;
  // Reads up to the absolute stream offset; going back raises.
  void SeekForward(Int64 Offset);

  // Starts writing a copy of this file to OutStream in which stream OStreamName gets new
  // contents; storages named in DeleteStorages (exact names) are left out with their subtrees.
  void PrepareForWrite(std::ostream& OutStream, const WideString& OStreamName,
                       const std::vector<WideString>& DeleteStorages = {});
  // The encryption state; Write, Write16 and Write32 pass through its engine when one is set.
  TEncryptionData& Encryption() { return FEncryption; }

  // Appends bytes as they are, never encoded.
  void WriteMem(const void* Buffer, Int64 Count);
  void WriteRawMem(const void* Buffer, Int64 Count) { WriteMem(Buffer, Count); }
  void WriteRaw(const std::vector<Byte>& Data) { WriteMem(Data.data(), static_cast<Int64>(Data.size())); }
  void Write(const std::vector<Byte>& Data, size_t StartPos, size_t Count);
  void Write16(Word Value);
  void Write32(Cardinal Value);
  // A 4-byte record header (never encoded); the record's length is noted for the engine.
  void WriteHeader(Word Id, Word Len);
  // Completes a pending write (allocation table, header, the new stream's directory entry).
  void Close();

 private:
  struct TStreamState {
    TOle2Directory Entry;
    std::vector<Integer> Chain;  // sectors, or mini sectors for a mini stream
    bool Mini = false;
    Int64 Size = 0;
  };

  void ReadHeader(bool AvoidExceptions);
  void LoadFat();
  void AppendFatSector(Integer Sector);
  void LoadMiniFat();
  [[noreturn]] void Invalid() const;
  void ReadSector(Integer Sector, std::vector<Byte>& Into);
  const std::vector<Byte>& LoadSector(Integer Sector);
  std::vector<Integer> FollowChain(Integer Start, Int64 Needed, bool UntilEnd) const;
  std::vector<Integer> FollowMiniChain(Integer Start, Int64 Needed) const;
  void EnsureRootChain();
  void CheckReading() const;
  void CheckWriting() const;
  void OutWrite(const void* Buffer, Int64 Count);
  Int64 CopySectors(const std::vector<Integer>& Chain, std::vector<Integer>& NewFat);
  std::vector<std::vector<Byte>> DirectoryWithoutDeleted(const std::vector<WideString>& DeleteStorages);
  void FinishWrite();

  std::istream* FStream = nullptr;
  std::ostream* FOut = nullptr;
  String FFileName;
  TOle2Header FHeader;
  Int64 FSectorCount = 0;  // whole sectors present in the file
  TOle2FAT FAT;
  TOle2MiniFAT MiniFAT;
  std::vector<Integer> FMiniFatChain;
  std::vector<Integer> FDirChain;
  std::optional<TOle2Directory> ROOT;
  std::vector<Integer> FRootChain;
  bool FRootChainReady = false;
  std::vector<Byte> FSectorBuffer;
  Integer FSectorId = -1;

  std::optional<TStreamState> DIR;
  Int64 StreamPos = 0;

  bool PreparedForWrite = false;
  bool FWriteDone = false;
  Int64 DIRStartPos = 0;
  Int64 FNewFatCount = 0;  // sectors written before the new stream
  Int64 FWrittenSize = 0;
  Int64 FWriteStart = 0;
  std::vector<Integer> FNewFat;
  TOle2Directory FWrittenEntry;
  TEncryptionData FEncryption;
};
