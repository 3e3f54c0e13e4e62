// The memo drop-down: a multi-line text edited in a memo that drops down under the edit; the
// edit shows a one-line summary of it (its first line, shortened with "..." where needed).
#pragma once

#include <memory>

#include "classlib/StdCtrls.h"
#include "grid/dropdowns/RivDropDown.h"

class TPopupMenu;
class TStringList;

class TRivMemoDropDown : public TRivCustomDropDown {
 public:
  explicit TRivMemoDropDown(TComponent* AOwner);
  ~TRivMemoDropDown() override;

  TStringList* MemoText() const { return FMemoText.get(); }
  void SetMemoText(TStrings* Value);
  TPopupMenu* MemoPopup = nullptr;
  TScrollStyle MemoScrollBars = ssNone;
  bool MemoReadOnly() const { return FMemoReadOnly; }
  void SetMemoReadOnly(bool Value);
  TNotifyEvent OnMemoChange;
  TMemo* Memo() const { return FMemo; }

  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void CloseDropDown(bool Cancel) override;
  void PopupHidden() override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(char& Key) override;

 protected:
  void Change() override;

 private:
  void WriteSummary();

  std::unique_ptr<TStringList> FMemoText;
  bool FMemoReadOnly = false;
  TMemo* FMemo = nullptr;
  bool FInternalUpdate = false;
};
