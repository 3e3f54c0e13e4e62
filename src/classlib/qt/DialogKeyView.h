// Native views of the standard controls that take the keyboard focus themselves (push buttons,
// check boxes, radio buttons, list and combo boxes). Their focus is the control's focus, and
// Enter and Escape go through the form's dialog-key stage first, as they do from every other
// control: the focused button, else the default one, answers Enter; the cancel button answers
// Escape. The view handles the key itself only when no control did.
#pragma once

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <exception>

#include "classlib/Forms.h"
#include "classlib/WinApi.h"
#include "classlib/qt/KeyMap.h"
#include "classlib/qt/Views.h"

template <typename NativeView>
class DialogKeyView : public NativeView {
 public:
  DialogKeyView(TWinControl* Control, QWidget* Parent) : NativeView(Parent), control_(Control) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
      QPointer<QWidget> alive(this);
      Views::SyncModifierKeys(e->modifiers().toInt());
      // KeyInput reports a key a control consumed as 0.
      if (KeyInput(control_, WM_KEYDOWN, KeyMap::ToVirtualKey(key)) == 0 || !alive) return;
    }
    NativeView::keyPressEvent(e);
  }

  void focusInEvent(QFocusEvent* e) override {
    NativeView::focusInEvent(e);
    if (control_->Focused()) return;
    try {
      control_->SetFocus();
    } catch (const std::exception& ex) {
      Application->HandleException(control_, ex);
    }
  }

 private:
  TWinControl* control_;
};
