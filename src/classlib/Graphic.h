// TGraphic: the base of every picture type (bitmap, JPEG, PNG, GIF, icon). A graphic knows its
// size, draws itself stretched into a rectangle of a canvas and reads and writes its file
// format.
//
// Loading and saving go through byte buffers (LoadFromBytes/SaveToBytes) and file paths; the
// stream overloads sit on top of the byte buffers.
#pragma once

#include <memory>
#include <string>

#include "classlib/Exceptions.h"
#include "classlib/Persistent.h"
#include "classlib/Types.h"

class TCanvas;

class TGraphic : public TPersistent {
 public:
  ~TGraphic() override = default;

  // Copies another picture; the base goes the TPersistent way (EConvertError "Cannot assign a
  // X to a Y" when neither side knows how).
  void Assign(TPersistent* Source) override;
  // A new empty picture of the same type (a picture container copies through it); nullptr
  // when the type cannot be copied that way.
  virtual std::unique_ptr<TGraphic> NewInstance() const { return nullptr; }

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool transparent);
  bool Modified() const { return FModified; }
  void SetModified(bool modified) { FModified = modified; }

  // Draws the whole picture stretched into r, in the canvas's logical units.
  virtual void Draw(TCanvas* canvas, const TRect& r) = 0;

  // Reads the picture from the bytes of a file of this type; raises EInvalidGraphic (or a
  // subclass) when the data cannot be decoded, leaving the picture as it was.
  virtual void LoadFromBytes(const std::string& data) = 0;
  virtual std::string SaveToBytes() const = 0;

  // Whole file in, or EFOpenError. Saving writes a temporary file beside the target and
  // renames it, so a failed save never destroys the file that was there (EFCreateError).
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName) const;

  TNotifyEvent OnChange;

 protected:
  // Marks the picture modified and fires OnChange.
  virtual void Changed();

 private:
  bool FTransparent = false;
  bool FModified = false;
};
