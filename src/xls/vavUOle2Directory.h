// A directory entry of a compound file (128 bytes: name, type, colour, tree links, first
// sector, size; the rest carried unchanged), and the file format's fixed values.
#pragma once

#include <array>
#include <span>

#include "xls/vavXlsMessages.h"

namespace Ole2 {
inline constexpr Integer ENDOFCHAIN = -2;
inline constexpr Integer FREESECT = -1;
inline constexpr Integer FATSECT = -3;
inline constexpr Integer DIFSECT = -4;
inline constexpr int HeaderFixedSize = 76;
inline constexpr int HeaderDifCount = 109;
inline constexpr int HeaderSize = 512;
inline constexpr int DirEntrySize = 128;
inline constexpr Cardinal MiniSectorCutoff = 4096;
}  // namespace Ole2

// Directory entry types and colours.
enum class STGTY : Byte { Invalid = 0, Storage = 1, Stream = 2, LockBytes = 3, Property = 4, Root = 5 };
enum class DECOLOR : Byte { Red = 0, Black = 1 };

// One 128-byte directory entry.
class TOle2Directory {
 public:
  TOle2Directory() = default;
  explicit TOle2Directory(std::span<const Byte> Entry);

  std::array<Byte, Ole2::DirEntrySize> Data{};

  // Name: up to 31 UTF-16 characters. A stored length outside 2..64 means an empty name.
  WideString Name() const;
  // Raises "Too many entries..." for a name longer than 31 characters.
  void SetName(const WideString& Name);
  STGTY Type() const { return static_cast<STGTY>(Data[66]); }
  DECOLOR Color() const { return static_cast<DECOLOR>(Data[67]); }
  Integer LeftSid() const { return static_cast<Integer>(GetCardinal(Data, 68)); }
  Integer RightSid() const { return static_cast<Integer>(GetCardinal(Data, 72)); }
  Integer ChildSid() const { return static_cast<Integer>(GetCardinal(Data, 76)); }
  Integer FirstSector() const { return static_cast<Integer>(GetCardinal(Data, 116)); }
  Cardinal ulSize() const { return GetCardinal(Data, 120); }
  void SetType(STGTY Value) { Data[66] = static_cast<Byte>(Value); }
  void SetColor(DECOLOR Value) { Data[67] = static_cast<Byte>(Value); }
  void SetLeftSid(Integer Value) { SetCardinal(Data, 68, static_cast<Cardinal>(Value)); }
  void SetRightSid(Integer Value) { SetCardinal(Data, 72, static_cast<Cardinal>(Value)); }
  void SetChildSid(Integer Value) { SetCardinal(Data, 76, static_cast<Cardinal>(Value)); }
  void SetFirstSector(Integer Value) { SetCardinal(Data, 116, static_cast<Cardinal>(Value)); }
  void SetSize(Cardinal Value) { SetCardinal(Data, 120, Value); }
  // An unused entry: no name, type or colour, no links, zero tail.
  void Clear();
};
