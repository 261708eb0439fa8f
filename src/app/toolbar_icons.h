#pragma once
// The main window's pictures, drawn in code: the toolbar icons, the
// language flags and the program's icon. Each is drawn on a 32 x 32 grid
// at twice the resolution, so it stays sharp on high-density screens.

#include <QIcon>
#include <QPixmap>

namespace ToolbarIcons {

QIcon Open();
QIcon CrossPlot();
QIcon Appearance();
QIcon Save();
QIcon Calculator();
QIcon Inscribe();
QIcon Information();
QIcon Help();
QIcon MiniMap();

// Language 0 English, 1 Russian.
QPixmap Flag(int language);

// A log track with a curve, as the desktop entry's icon shows it.
QIcon Program();

}  // namespace ToolbarIcons
