// The component model: components own the components created with them as owner, free them
// when they are freed, can be found by name, and hear when a component they know of goes.
#pragma once

#include <vector>

#include "classlib/Persistent.h"
#include "classlib/Sets.h"

enum TOperation { opInsert, opRemove };
enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = Set<TComponentStateItem>;

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const { return FComponents.at(static_cast<size_t>(Index)); }
  int ComponentIndex() const;

  const String& Name() const { return FName; }
  virtual void SetName(const String& Value);

  // The owned component of this name (letter case ignored), or nullptr.
  TComponent* FindComponent(const String& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  // Asks to hear (through Notification) when AComponent is freed, and the reverse.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  TComponentState ComponentState() const { return FComponentState; }
  void SetDesigning(bool Value);

  // Runs after the C++ constructor of the most derived class: construction work that calls
  // descendants' overrides belongs here.
  virtual void AfterConstruction() {}
  // Runs once the component's properties are set, as after loading from a form description.
  virtual void Loaded();

  // Frees the component (and, through it, everything it owns).
  void Free() { delete this; }

  intptr_t Tag = 0;

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void SetLoading(bool Value);
  TComponentState FComponentState;

 private:
  void NotifyAll(TComponent* AComponent, TOperation Operation);

  TComponent* FOwner = nullptr;
  String FName;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// Creates a component the way the class library does: the constructor, then
// AfterConstruction, so that constructor work may reach the descendants' overrides.
template <typename T, typename... Args>
T* New(TComponent* AOwner, Args&&... args) {
  T* component = new T(AOwner, std::forward<Args>(args)...);
  component->AfterConstruction();
  return component;
}
