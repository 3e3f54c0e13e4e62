#include "classlib/Graphic.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

void TGraphic::Assign(const TObject* source) { AssignError(source); }

void TGraphic::AssignError(const TObject* source) const {
  String from = source ? source->ClassName() : String("nil");
  throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  Changed();
}

void TGraphic::Changed() {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& fileName) { LoadFromBytes(ReadFileBytes(fileName)); }

void TGraphic::SaveToFile(const String& fileName) const { WriteFileBytes(fileName, SaveToBytes()); }

void WriteFileBytes(const String& fileName, const std::string& data) {
  String temp = fileName + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw EFCreateError("Cannot create file \"" + fileName + "\"");
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      throw EWriteError("Error writing file \"" + fileName + "\"");
    }
  }
  if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
    std::remove(temp.c_str());
    throw EFCreateError("Cannot create file \"" + fileName + "\"");
  }
}
