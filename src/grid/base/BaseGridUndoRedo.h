// TRivGridUndoRedo: records the cell-text changes of one grid and undoes and redoes them,
// singly or as bracketed sequences. The grid registers each change its user makes in place;
// the component writes cells back through the grid's Cells.
//
// Items 0 .. Level - 1 are done, the rest undone. A new registration after undoing drops the
// undone steps, as users expect of undo.
#pragma once

#include "classlib/Component.h"
#include "grid/base/BaseGrid.h"

// One recorded step, or a sequence marker (Col and Row -1, empty texts, one flag set).
class TUndoRedoItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  int Row = 0;
  int Col = 0;
  String Value;      // the text after the change
  String OrigValue;  // the text before it
  bool SequenceStart = false;
  bool SequenceStop = false;
  bool CheckBox = false;  // a toggled check box: undoing and redoing set its state
};

class TUndoRedoCollection : public TCollection {
 public:
  TUndoRedoCollection() : TCollection(FactoryOf<TUndoRedoItem>()) {}
  TUndoRedoItem* Items(int Index) const { return static_cast<TUndoRedoItem*>(TCollection::Items(Index)); }
  TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
};

using TRivGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                 const String& OrigValue, const String& NewValue)>;

class TRivGridUndoRedo : public TComponent {
 public:
  explicit TRivGridUndoRedo(TComponent* AOwner);
  ~TRivGridUndoRedo() override;

  virtual void RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue);
  // A check box toggled from the check-false text to the check-true text or back.
  void RegisterCheckBoxChange(int ACol, int ARow, const String& OldValue, const String& NewValue);
  // Bracket the changes that follow as one step.
  virtual void StartSequence();
  virtual void StopSequence();
  void Undo();
  void Redo();
  void Reset();
  bool CanUndo() const { return FLevel > 0; }
  bool CanRedo() const { return FLevel < FItems->Count(); }

  TUndoRedoCollection* Items() const { return FItems.get(); }
  TBaseGrid* Grid() const { return FGrid; }
  // Set by the grid's UndoRedo setter.
  void SetGrid(TBaseGrid* Value) { FGrid = Value; }
  int Level() const { return FLevel; }
  // The most registrations kept (the oldest go first); 0 keeps all.
  int MaxLevel() const { return FMaxLevel; }
  void SetMaxLevel(int Value) { FMaxLevel = Value; }

  TRivGridUndoRedoEvent OnUndo;
  TRivGridUndoRedoEvent OnRedo;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void DropUndone();
  TUndoRedoItem* Append();
  void Apply(TUndoRedoItem* Item, bool Undoing);

  std::unique_ptr<TUndoRedoCollection> FItems;
  TBaseGrid* FGrid = nullptr;
  int FLevel = 0;
  int FMaxLevel = 0;
};
