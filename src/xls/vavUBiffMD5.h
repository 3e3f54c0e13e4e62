// MD5 digest (RFC 1321) as a write-only stream: the unique id of a picture in the blip store.
#pragma once

#include <array>

#include "classlib/Streams.h"

class TMd5Stream : public TStream {
 public:
  TMd5Stream() { Reset(); }

  // Reading gives nothing; the stream has no position to move.
  Integer Read(void*, Integer) override { return 0; }
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64, TSeekOrigin) override { return 0; }

  // The digest of everything written since the stream was made or since the previous call,
  // which starts a new digest.
  std::array<Byte, 16> GetDigest();

 private:
  void Reset();
  void Transform(const Byte* Block);

  Int64 BlockCount = 0;
  Integer BufCount = 0;
  std::array<Byte, 64> Buffer{};
  Cardinal A = 0, B = 0, C = 0, D = 0;
};
