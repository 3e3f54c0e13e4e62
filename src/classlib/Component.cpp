#include "classlib/Component.h"

#include <algorithm>
#include <strings.h>

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FComponentState.Include(csDestroying);
  // Those who asked to hear of our end hear it first, while we are still whole.
  auto notifies = FFreeNotifies;
  FFreeNotifies.clear();
  for (TComponent* c : notifies) {
    c->Notification(this, opRemove);
    auto& back = c->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
  // Owned components go last-created first.
  while (!FComponents.empty()) {
    TComponent* child = FComponents.back();
    child->FComponentState.Include(csDestroying);
    delete child;  // its destructor removes it from FComponents
  }
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

int TComponent::ComponentIndex() const {
  if (FOwner == nullptr) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetName(const String& Value) { FName = Value; }

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (strcasecmp(c->FName.c_str(), AName.c_str()) == 0) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner != nullptr) AComponent->FOwner->RemoveComponent(AComponent);
  AComponent->FOwner = this;
  FComponents.push_back(AComponent);
  NotifyAll(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it == FComponents.end()) return;
  if (!FComponentState.Contains(csDestroying)) NotifyAll(AComponent, opRemove);
  FComponents.erase(std::find(FComponents.begin(), FComponents.end(), AComponent));
  AComponent->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
      AComponent->FFreeNotifies.end())
    AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  auto& back = AComponent->FFreeNotifies;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::SetDesigning(bool Value) {
  if (Value) FComponentState.Include(csDesigning); else FComponentState.Exclude(csDesigning);
}

void TComponent::SetLoading(bool Value) {
  if (Value) FComponentState.Include(csLoading); else FComponentState.Exclude(csLoading);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
  for (TComponent* c : std::vector<TComponent*>(FComponents)) c->Notification(AComponent, Operation);
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) {
  Notification(AComponent, Operation);
}
