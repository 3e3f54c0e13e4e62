// The window-system calls the program's code makes: sending and posting messages, focus,
// mouse capture, key state, timers, beeps. Implemented over our own window-message layer.
#pragma once

#include "classlib/Messages.h"

class TWinControl;

// Delivers the message at once to the window's procedure and returns its result; errors that
// escape the procedure reach the application's error box. 0 for an unknown window.
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queues the message; the message loop and ProcessMessages deliver it. False for an unknown window.
bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

bool IsWindow(HWND Wnd);
bool IsWindowVisible(HWND Wnd);
bool IsWindowEnabled(HWND Wnd);
TWinControl* FindControl(HWND Wnd);

// Keyboard focus: the window that receives key messages. SetFocus sends WM_KILLFOCUS to the
// old owner and WM_SETFOCUS to the new one, and returns the old one.
HWND GetFocus();
HWND SetFocus(HWND Wnd);

// Mouse capture: while set, mouse messages go to this window.
HWND GetCapture();
HWND SetCapture(HWND Wnd);
bool ReleaseCapture();

// The key-state table: the high bit (0x8000 as a short, so negative) is set while the key is
// down; the low bit toggles with each press (Caps Lock and the like).
int16_t GetKeyState(int VirtKey);
int16_t GetAsyncKeyState(int VirtKey);
// Sets a key down or up, as real input does; tests use it to hold Shift or Ctrl.
void SetKeyDown(int VirtKey, bool Down);
// The shift state made from the key-state table.
TShiftState KeyboardStateToShiftState();
// Shift state from a mouse message's key flags.
TShiftState KeysToShiftState(WPARAM Keys);

// Window timers: WM_TIMER with WParam = IDEvent reaches the window every Elapse ms of the
// program's clock (which tests drive).
uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, UINT Elapse);
bool KillTimer(HWND Wnd, uintptr_t IDEvent);

// Message ids registered by name: the same name gives the same id, from 0xC000 up.
UINT RegisterWindowMessage(const String& Name);

// The system's default sound; tests count them (Application hooks).
void MessageBeep(UINT Type);
void Beep();
