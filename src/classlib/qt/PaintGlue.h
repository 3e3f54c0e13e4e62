// Connects the views of custom-painted controls to their Paint: a view's paint event wraps its
// QPainter in a TCanvas and calls the control's PaintTo. Installed at start-up; calling it
// again does no harm (painted controls call it so the glue is always linked in).
#pragma once

void InstallPaintGlue();
