#include "graphics/PlotMenu.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "core/NumberText.h"
#include "graphics/Plot.h"

#include <cmath>

namespace zx {

namespace {

// Lines thicker than this cover the plot instead of drawing it.
constexpr Single kWidestLine = 50;

const std::string kBreak = kCr;

// The menus' questions have no title and no prepared answer.
std::string ask(Dialogs& dialogs, const std::string& prompt) { return dialogs.InputBox(prompt, "").value_or(std::string()); }

} // namespace

void AskTitle(PlotSettings& p, Dialogs& dialogs)
{
    p.GraphTitel = ask(dialogs, "Eingabe eines neuen Titels (max.30 Zeichen)" + kBreak + kBreak + "Aktueller Titel: " + p.GraphTitel);
}

void AskXNames(PlotSettings& p, Dialogs& dialogs)
{
    for (std::string* name : { &p.XName1, &p.XName2 })
        *name = ask(dialogs, "Eingabe eines neuen X-Namen (max.10 Zeichen)" + kBreak + kBreak + "AKTUELLER X-NAME: " + *name);
}

void AskYName(PlotSettings& p, Dialogs& dialogs)
{
    p.YName = ask(dialogs, "Eingabe eines neuen Y-Namen (max.8 Zeichen)" + kBreak + kBreak + "Aktueller Y-Name: " + p.YName);
}

void AskLineWidth(PlotSettings& p, Dialogs& dialogs)
{
    const auto width = static_cast<Single>(
        Val(ask(dialogs, "Eingabe der Linie-Stärke" + kBreak + kBreak + "Bitte wählen Sie Werte etwa zwischen 1.0 und 3.0")));
    if (width >= 1 && width <= kWidestLine)
        p.LinienStaerke = width;
}

void AskYScale(PlotSettings& p, Dialogs& dialogs)
{
    p.YSkalaFest = kScaleFixed;
    dialogs.ShowMessage("Um Dezimalstellen in der Skalierung der Y-Achse zu vermeiden," + kBreak
            + "ändern Sie bitte die Min- und Max-Werte." + kBreak
            + "Die Differenz zwischen Max und Min muß genau durch 7 dividierbar sein." + kBreak
            + "(z.B. Max 80 und Min 10 oder Max 56 und Min 7).",
        "Neue Y-Skalierung");
    // The labels now at the bottom and top of the axis.
    const Single lo = p.YMin - (p.YMax - p.YMin) / 5;
    const Single hi = p.YMax + (p.YMax - p.YMin) / 5;
    const auto bottom = static_cast<Single>(
        Val(ask(dialogs, "Eingabe eines neuen MIN-Wertes" + kBreak + kBreak + "AKTUELLER MIN-WERT:   " + StrSingle(lo))));
    const auto top = static_cast<Single>(
        Val(ask(dialogs, "Eingabe eines neuen MAX-Wertes" + kBreak + kBreak + "AKTUELLER MAX-WERT:   " + StrSingle(hi))));
    const Single step = (top - bottom) / 7;
    p.YMin = bottom + step;
    p.YMax = top - step;
}

void ShowLabellingNote(Dialogs& dialogs)
{
    dialogs.ShowMessage("Es wird die gewählte Schrift für die gesamte Graphik. Der Graphiktitel wird fett und etwas größer gedruckt."
            + kBreak
            + "Zwischen der Bildschirm-Darstellung und der Druckqualität treten Abweichungen bezüglich der Linienstärke. "
              "Für den Druck wählen Sie im Menü evtl. eine stärkere Linie aus.",
        "Hinweis");
}

void ShowPlotNote(Dialogs& dialogs)
{
    dialogs.ShowMessage("Ein Box-Wisker-Plot wird für Wertepaare nicht angeboten." + kBreak
            + "Die Einkerbung des Box-Wisker-Plots wird definiert durch:" + kBreak
            + "Median ± Standardfehler des Medians s (vgl.Buch).",
        "Hinweis");
}

} // namespace zx
