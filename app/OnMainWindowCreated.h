#pragma once

// MainWindow's Created handler: dresses the window and puts its icon in the tray,
// before the window is first shown.
void OnMainWindowCreated();
