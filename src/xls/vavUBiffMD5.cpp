#include "xls/vavUBiffMD5.h"

#include <cstring>

namespace {

constexpr Cardinal K[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr int S[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 5, 9,  14, 20, 5, 9,
                       14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                       4, 11, 16, 23, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

Cardinal Rotl(Cardinal x, int c) { return (x << c) | (x >> (32 - c)); }

}  // namespace

void TMd5Stream::Reset() {
  BlockCount = 0;
  BufCount = 0;
  A = 0x67452301;
  B = 0xefcdab89;
  C = 0x98badcfe;
  D = 0x10325476;
}

void TMd5Stream::Transform(const Byte* Block) {
  Cardinal m[16];
  for (int i = 0; i < 16; ++i)
    m[i] = Block[4 * i] | (Block[4 * i + 1] << 8) | (Block[4 * i + 2] << 16) | (static_cast<Cardinal>(Block[4 * i + 3]) << 24);
  Cardinal a = A, b = B, c = C, d = D;
  for (int i = 0; i < 64; ++i) {
    Cardinal f;
    int g;
    if (i < 16) {
      f = (b & c) | (~b & d);
      g = i;
    } else if (i < 32) {
      f = (d & b) | (~d & c);
      g = (5 * i + 1) % 16;
    } else if (i < 48) {
      f = b ^ c ^ d;
      g = (3 * i + 5) % 16;
    } else {
      f = c ^ (b | ~d);
      g = (7 * i) % 16;
    }
    const Cardinal t = d;
    d = c;
    c = b;
    b = b + Rotl(a + f + K[i] + m[g], S[i]);
    a = t;
  }
  A += a;
  B += b;
  C += c;
  D += d;
  ++BlockCount;
}

Integer TMd5Stream::Write(const void* Buffer_, Integer Count) {
  const Byte* p = static_cast<const Byte*>(Buffer_);
  for (Integer left = Count; left > 0;) {
    const Integer n = std::min<Integer>(left, 64 - BufCount);
    std::memcpy(Buffer.data() + BufCount, p, static_cast<size_t>(n));
    BufCount += n;
    p += n;
    left -= n;
    if (BufCount == 64) {
      Transform(Buffer.data());
      BufCount = 0;
    }
  }
  return Count;
}

std::array<Byte, 16> TMd5Stream::GetDigest() {
  const uint64_t bits = (static_cast<uint64_t>(BlockCount) * 64 + static_cast<uint64_t>(BufCount)) * 8;
  Byte pad[72] = {0x80};
  const Integer padLen = BufCount < 56 ? 56 - BufCount : 120 - BufCount;
  Write(pad, padLen);
  Byte len[8];
  for (int i = 0; i < 8; ++i) len[i] = static_cast<Byte>(bits >> (8 * i));
  Write(len, 8);
  std::array<Byte, 16> digest{};
  const Cardinal words[4] = {A, B, C, D};
  for (int w = 0; w < 4; ++w)
    for (int i = 0; i < 4; ++i) digest[static_cast<size_t>(4 * w + i)] = static_cast<Byte>(words[w] >> (8 * i));
  Reset();
  return digest;
}
