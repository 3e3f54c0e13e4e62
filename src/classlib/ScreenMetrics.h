// What the program asks about the screen: its size, the thickness of scroll bars and the work
// area (the screen less the desktop's panels) of the monitor nearest a point. The answers come
// from the window system; a test installs its own screen (TScreenMetrics) to place pop-ups on
// a screen of known size.
#pragma once

#include <optional>

#include "classlib/Types.h"

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;

constexpr int SPI_GETWORKAREA = 0x0030;

struct TScreenMetrics {
  int Width = 1280;
  int Height = 1024;
  // In screen coordinates; the whole screen when it has no panels.
  TRect WorkArea{0, 0, 1280, 1024};
};

// Installs a screen for the tests (std::nullopt: the window system's again).
void SetScreenMetrics(std::optional<TScreenMetrics> Metrics);

int GetSystemMetrics(int Index);
// The work area of the monitor that contains the point, or the nearest one.
TRect MonitorWorkAreaFromPoint(TPoint P);
// SPI_GETWORKAREA: the primary monitor's work area into *(TRect*)Param; false for other actions.
bool SystemParametersInfo(int Action, int Param, void* PvParam, int WinIni);
