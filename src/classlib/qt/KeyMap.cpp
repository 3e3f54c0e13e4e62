#include "classlib/qt/KeyMap.h"

#include <Qt>

Word KeyMap::ToVirtualKey(int QtKey) {
  if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return static_cast<Word>('A' + (QtKey - Qt::Key_A));
  if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<Word>('0' + (QtKey - Qt::Key_0));
  if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F12) return static_cast<Word>(VK_F1 + (QtKey - Qt::Key_F1));
  switch (QtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return 0xBD;
    case Qt::Key_Comma: return 0xBC;
    case Qt::Key_Period: return 0xBE;
    default: return 0;
  }
}
