// The questions and notes of the plot window's menus. Each question changes
// the plot settings; the window draws the plot again afterwards.
#pragma once

namespace zx {

class Dialogs;
struct PlotSettings;

// The answers are taken as given; "Abbrechen" gives an empty text.
void AskTitle(PlotSettings& settings, Dialogs& dialogs);
// Asked twice, for sample 1 and then sample 2, even after "Abbrechen".
void AskXNames(PlotSettings& settings, Dialogs& dialogs);
void AskYName(PlotSettings& settings, Dialogs& dialogs);
// A width below 1, which cannot be drawn (0 after "Abbrechen"), keeps the
// previous width, and so does one beyond any use that would only blacken
// the plot.
void AskLineWidth(PlotSettings& settings, Dialogs& dialogs);
// Fixes the Y scale for the rest of the window's life: the new lowest and
// highest label are asked, and the axis runs between them in seven steps.
void AskYScale(PlotSettings& settings, Dialogs& dialogs);

void ShowLabellingNote(Dialogs& dialogs);
void ShowPlotNote(Dialogs& dialogs);

} // namespace zx
