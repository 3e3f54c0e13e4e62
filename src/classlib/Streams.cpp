#include "classlib/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "classlib/SysUtils.h"

void TStream::ReadBuffer(void* Buffer, Integer Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Integer Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

Int64 TStream::Size() {
  const Int64 pos = Seek(0, soCurrent);
  const Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(Int64 NewSize) { (void)NewSize; }

Int64 TStream::CopyFrom(TStream& Source, Int64 Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  const Int64 total = Count;
  std::vector<char> buffer(static_cast<size_t>(std::min<Int64>(Count, 1 << 16)) + 1);
  while (Count > 0) {
    const Integer n = static_cast<Integer>(std::min<Int64>(Count, static_cast<Int64>(buffer.size())));
    Source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return total;
}

String TStream::ReadAll() {
  String out;
  char buffer[1 << 14];
  while (true) {
    Integer n = Read(buffer, sizeof buffer);
    if (n <= 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  return out;
}

// ---------------------------------------------------------------------------------------------

TFileStream::TFileStream(const String& FileName, Word Mode) : fileName_(FileName) {
  if (Mode == fmCreate) {
    fd_ = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw EFCreateError("Cannot create file \"" + FileName + "\"");
    return;
  }
  int flags = O_CLOEXEC;
  switch (Mode & 3) {
    case fmOpenWrite: flags |= O_WRONLY; break;
    case fmOpenReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY;
  }
  fd_ = ::open(FileName.c_str(), flags);
  struct stat st;
  if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode))) {
    ::close(fd_);
    fd_ = -1;
  }
  if (fd_ < 0) throw EFOpenError("Cannot open file \"" + FileName + "\"");
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

Integer TFileStream::Read(void* Buffer, Integer Count) {
  if (Count <= 0) return 0;
  size_t done = 0;
  while (done < static_cast<size_t>(Count)) {
    ssize_t r = ::read(fd_, static_cast<char*>(Buffer) + done, static_cast<size_t>(Count) - done);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    done += static_cast<size_t>(r);
  }
  return static_cast<Integer>(done);
}

Integer TFileStream::Write(const void* Buffer, Integer Count) {
  if (Count <= 0) return 0;
  size_t done = 0;
  while (done < static_cast<size_t>(Count)) {
    ssize_t w = ::write(fd_, static_cast<const char*>(Buffer) + done, static_cast<size_t>(Count) - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) break;
    done += static_cast<size_t>(w);
  }
  return static_cast<Integer>(done);
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  return static_cast<Int64>(::lseek(fd_, static_cast<off_t>(Offset), whence));
}

void TFileStream::SetSize(Int64 NewSize) {
  if (::ftruncate(fd_, static_cast<off_t>(NewSize)) != 0) throw EWriteError("Stream write error");
  if (Position() > NewSize) Seek(NewSize, soBeginning);
}

// ---------------------------------------------------------------------------------------------

Integer TMemoryStream::Read(void* Buffer, Integer Count) {
  const Int64 size = Size();
  if (Count <= 0 || position_ >= size) return 0;
  const Integer n = static_cast<Integer>(std::min<Int64>(Count, size - position_));
  std::memcpy(Buffer, data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

Integer TMemoryStream::Write(const void* Buffer, Integer Count) {
  if (Count <= 0) return 0;
  const Int64 end = position_ + Count;
  if (end > Size()) data_.resize(static_cast<size_t>(end), 0);
  std::memcpy(data_.data() + position_, Buffer, static_cast<size_t>(Count));
  position_ = end;
  return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  Int64 base = Origin == soBeginning ? 0 : Origin == soCurrent ? position_ : Size();
  position_ = std::max<Int64>(0, base + Offset);
  return position_;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  data_.resize(static_cast<size_t>(std::max<Int64>(0, NewSize)), 0);
  if (position_ > Size()) position_ = Size();
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  const Int64 size = Stream.Size();
  std::vector<char> data(static_cast<size_t>(size));
  if (size > 0) Stream.ReadBuffer(data.data(), static_cast<Integer>(size));
  data_ = std::move(data);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  const String bytes = ReadFileBytes(FileName);
  data_.assign(bytes.begin(), bytes.end());
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& Stream) const {
  if (!data_.empty()) Stream.WriteBuffer(data_.data(), static_cast<Integer>(data_.size()));
}

void TMemoryStream::SaveToFile(const String& FileName) const {
  WriteFileAtomically(FileName, String(data_.begin(), data_.end()));
}

// ---------------------------------------------------------------------------------------------

TStringStream::TStringStream(const String& AString) { data_.assign(AString.begin(), AString.end()); }

String TStringStream::ReadString(Integer Count) {
  const Int64 n = std::max<Int64>(0, std::min<Int64>(Count, Size() - position_));
  String s(data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return s;
}
