// Two settings objects the cell painters read: the colours and options of the multi-level
// progress bars of ctXPProgress cells, and the mark of modified rows.
#pragma once

#include "classlib/Colors.h"
#include "classlib/Persistent.h"

enum TProgressStyle { psXP, psClassic };

// Every setter stores only a new value, and each change fires OnChange.
class TGridProgressAppearance : public TPersistent {
 public:
  TColor CompleteColor() const { return FSettings.CompleteColor; }
  void SetCompleteColor(TColor Value) { Change(FSettings.CompleteColor, Value); }
  TColor CompleteFontColor() const { return FSettings.CompleteFontColor; }
  void SetCompleteFontColor(TColor Value) { Change(FSettings.CompleteFontColor, Value); }
  // clNone: the painter uses the grid's own brush colour.
  TColor UnCompleteColor() const { return FSettings.UnCompleteColor; }
  void SetUnCompleteColor(TColor Value) { Change(FSettings.UnCompleteColor, Value); }
  TColor UnCompleteFontColor() const { return FSettings.UnCompleteFontColor; }
  void SetUnCompleteFontColor(TColor Value) { Change(FSettings.UnCompleteFontColor, Value); }
  TColor Level0Color() const { return FSettings.Level0Color; }
  void SetLevel0Color(TColor Value) { Change(FSettings.Level0Color, Value); }
  TColor Level0ColorTo() const { return FSettings.Level0ColorTo; }
  void SetLevel0ColorTo(TColor Value) { Change(FSettings.Level0ColorTo, Value); }
  TColor Level1Color() const { return FSettings.Level1Color; }
  void SetLevel1Color(TColor Value) { Change(FSettings.Level1Color, Value); }
  TColor Level1ColorTo() const { return FSettings.Level1ColorTo; }
  void SetLevel1ColorTo(TColor Value) { Change(FSettings.Level1ColorTo, Value); }
  TColor Level2Color() const { return FSettings.Level2Color; }
  void SetLevel2Color(TColor Value) { Change(FSettings.Level2Color, Value); }
  TColor Level2ColorTo() const { return FSettings.Level2ColorTo; }
  void SetLevel2ColorTo(TColor Value) { Change(FSettings.Level2ColorTo, Value); }
  TColor Level3Color() const { return FSettings.Level3Color; }
  void SetLevel3Color(TColor Value) { Change(FSettings.Level3Color, Value); }
  TColor Level3ColorTo() const { return FSettings.Level3ColorTo; }
  void SetLevel3ColorTo(TColor Value) { Change(FSettings.Level3ColorTo, Value); }
  // Percentages where level 1 and level 2 begin.
  int Level1Perc() const { return FSettings.Level1Perc; }
  void SetLevel1Perc(int Value) { Change(FSettings.Level1Perc, Value); }
  int Level2Perc() const { return FSettings.Level2Perc; }
  void SetLevel2Perc(int Value) { Change(FSettings.Level2Perc, Value); }
  TColor BorderColor() const { return FSettings.BorderColor; }
  void SetBorderColor(TColor Value) { Change(FSettings.BorderColor, Value); }
  bool ShowBorder() const { return FSettings.ShowBorder; }
  void SetShowBorder(bool Value) { Change(FSettings.ShowBorder, Value); }
  bool Stacked() const { return FSettings.Stacked; }
  void SetStacked(bool Value) { Change(FSettings.Stacked, Value); }
  bool ShowPercentage() const { return FSettings.ShowPercentage; }
  void SetShowPercentage(bool Value) { Change(FSettings.ShowPercentage, Value); }
  bool CompletionSmooth() const { return FSettings.CompletionSmooth; }
  void SetCompletionSmooth(bool Value) { Change(FSettings.CompletionSmooth, Value); }
  bool ShowGradient() const { return FSettings.ShowGradient; }
  void SetShowGradient(bool Value) { Change(FSettings.ShowGradient, Value); }
  int Steps() const { return FSettings.Steps; }
  void SetSteps(int Value) { Change(FSettings.Steps, Value); }
  TProgressStyle Style() const { return FSettings.Style; }
  void SetStyle(TProgressStyle Value) { Change(FSettings.Style, Value); }

  // Copies every setting from another TGridProgressAppearance and fires OnChange once, also
  // when nothing differs; ignores any other source.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  template <class T>
  void Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
  }

  // The settings, copied whole by Assign.
  struct TSettings {
    TColor CompleteColor = 0x0000FF;
    TColor CompleteFontColor = 0xFF0000;
    TColor UnCompleteColor = clNone;
    TColor UnCompleteFontColor = clWindowText;
    TColor Level0Color = 0x00FF00;
    TColor Level0ColorTo = 0xE1FFE1;
    TColor Level1Color = 0x00FFFF;
    TColor Level1ColorTo = 0xCAFFFF;
    TColor Level2Color = 0x53A9FF;
    TColor Level2ColorTo = 0xA8D3FF;
    TColor Level3Color = 0x0000FF;
    TColor Level3ColorTo = 0xCACAFF;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TProgressStyle Style = psXP;
  } FSettings;
};

// The percentage a ctXPProgress cell shows for Value in Min..Max, within 0..100. An empty range
// (Min = Max) shows 0 %, or 100 % once the value reaches Max, rather than dividing by zero.
double ProgressPercentage(double Value, int Min, int Max);

// Rows whose cells were changed are marked in their first cell.
class TShowModified : public TPersistent {
 public:
  bool Enabled = false;
  TColor Color() const { return FColor; }
  // Fires OnChange.
  void SetColor(TColor Value);
  // Copies Color and Enabled from another TShowModified; ignores any other source.
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnChange;

 private:
  TColor FColor = 0x00FFFF;
};
