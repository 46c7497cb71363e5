#include "workflow/ModuleCatalogue.h"

#include "core/AnalysisRecord.h"

namespace zx {

const std::vector<ModuleEntry>& ModuleCatalogue()
{
    static const std::vector<ModuleEntry> modules = {
        { "Option1", "KAPA11-Einstichprobe", "KAPA11", "     EINSTICHPROBE: Parameter und Tests",
          { "a) Tests gegen einen Sollwert", "   - t-Test für den Mittelwert", "   - Chi²-Test für die Varianz",
            "   - Vorzeichen-Test für den Median", "   - WILCOXON-Test für den Median",
            "b) Vertrauensbereiche", "   - für Mittelwert und Median", "   - für die Standardabweichung",
            "c) Prüfung der Voraussetzungen", "   - KOLMOGOROFF-SMIRNOV-Test", "   - SHAPIRO & WILK-Test",
            "   - DAVID et al.-Test", "   - Ausreißer-Test nach GRUBBS", "d) Ergänzende Informationen",
            "   - Graphik:", "     BOX-WHISKER-PLOT", "     HISTOGRAMM", "   - 21 Deskriptive Parameter" } },
        { "Option13", "KAPA13-Charakterisierung der Diversität", "KAPA13", "     CHARAKTERISIERUNG DER DIVERSITÄT",
          { "a) Diversitätsindizes", "   - SHANNON & WIENER-Index", "   - SIMPSON-Index", "   - BRILLOUIN-Index",
            "   - Evenness (Äquität)", "b) Artenreichtum", "   - MARGALEF-Index", "   - MENHINICK-Index",
            "c) Vergleich zweier Gemeinschaften", "   - t-Test nach HUTCHESON", "   - JACCARD- und SÖRENSEN-Index",
            "d) Ergänzende Informationen", "   - Graphik:", "     RANG-HÄUFIGKEITS-DIAGRAMM" } },
        { "Option2", "KAPA21-Vergleich zweier Stichproben", "KAPA21", "     VERGLEICH ZWEIER STICHPROBEN",
          { "a) Unabhängige Stichproben", "   - t-Test für Zweistichproben", "   - WELCH-Test", "   - LORD-Test",
            "   - WEIR-Test", "   - U-Test (MANN & WHITNEY-Test)", "   - Median-Test", "b) Abhängige Stichproben",
            "   - t-Test für Paardiff. (Wertepaare)", "   - WILCOXON-Test für Paardiff.",
            "   - Vorzeichen-Test für Paardiff.", "c) Prüfung der Voraussetzungen", "   - KOLMOGOROFF-SMIRNOV-Test",
            "   - SHAPIRO & WILK-Test", "   - DAVID et al.-Test", "   - F- und t-Test",
            "d) Ergänzende Informationen", "   - Graphik:", "     BOX-WHISKER-PLOT", "     XSN-PLOT",
            "   - 21 Deskriptive Parameter" } },
        { "Option3", "KAPA31-Einfache Varianzanalyse", "KAPA31", "     EINFACHE VARIANZANALYSE",
          { "a) Vergleich mehrerer Stichproben", "   - Einfache Varianzanalyse (ANOVA)", "   - KRUSKAL & WALLIS-Test",
            "b) Multiple Vergleiche", "   - SCHEFFÉ-Test", "   - TUKEY-Test", "   - LSD-Test",
            "c) Prüfung der Voraussetzungen", "   - BARTLETT-Test", "   - COCHRAN-Test", "   - HARTLEY-Test",
            "d) Ergänzende Informationen", "   - Graphik:", "     BOX-WHISKER-PLOT" } },
        { "Option4", "KAPA32-Zweifache Varianzanalyse", "KAPA32", "     ZWEIFACHE VARIANZANALYSE",
          { "a) Zwei Faktoren", "   - mit Wiederholungen", "   - ohne Wiederholungen", "   - FRIEDMAN-Test",
            "b) Wechselwirkung", "   - Test der Wechselwirkung", "c) Multiple Vergleiche", "   - SCHEFFÉ-Test",
            "   - TUKEY-Test", "d) Prüfung der Voraussetzungen", "   - BARTLETT-Test", "   - COCHRAN-Test" } },
        { "Option5", "KAPA33-Dreifache Varianzanalyse", "KAPA33", "     DREIFACHE VARIANZANALYSE",
          { "a) Drei Faktoren", "   - mit Wiederholungen", "   - ohne Wiederholungen", "b) Wechselwirkungen",
            "   - zweifache Wechselwirkungen", "   - dreifache Wechselwirkung", "c) Multiple Vergleiche",
            "   - SCHEFFÉ-Test", "d) Prüfung der Voraussetzungen", "   - BARTLETT-Test" } },
        { "Option6", "KAPA41-Einfache Regressionsanalyse", "KAPA41", "     EINFACHE REGRESSION (12 Modelle)",
          { "a) Modelle", "   - Gerade y = a + bx", "   - Exponential-, Logarithmus- und Potenzmodelle",
            "   - Hyperbel- und reziproke Modelle", "b) Korrelation", "   - Korrelationskoeffizient nach PEARSON",
            "   - Rangkorrelation nach SPEARMAN", "c) Prüfung", "   - t-Test des Regressionskoeffizienten",
            "   - Test auf Linearität", "d) Ergänzende Informationen", "   - Graphik:",
            "     PUNKTWOLKE MIT REGRESSIONSKURVE" } },
        { "Option7", "KAPA42-Kovarianzanalyse", "KAPA42", "  KOVARIANZANALYSE (12 Modelle)",
          { "a) Vergleich von Regressionen", "   - Vergleich der Steigungen", "   - Vergleich der Achsenabschnitte",
            "   - Adjustierte Mittelwerte", "b) Modelle", "   - 12 transformierbare Modelle",
            "c) Prüfung der Voraussetzungen", "   - Homogenität der Restvarianzen" } },
        { "Option8", "KAPA43-Multiple Lineare Regression", "KAPA43", "   MULTIPLE LINEARE REGRESSION",
          { "a) Regression", "   - Multiple lineare Regression", "   - Schrittweise Regression", "b) Korrelation",
            "   - Multiple und partielle Korrelation", "   - Bestimmtheitsmaß", "c) Prüfung", "   - F-Test des Modells",
            "   - t-Tests der Koeffizienten", "   - Residuenanalyse" } },
        { "Option11", "KAPA44-Toleranz-/Vertrauensbereich", "KAPA44", "   LINEARE REGRESSION: (12 Modellen)",
          { "a) Vertrauensbereiche", "   - für den Regressionskoeffizienten", "   - für den Achsenabschnitt",
            "   - für die Regressionskurve", "b) Toleranzbereiche", "   - für Einzelwerte", "   - Vorhersagebereich",
            "c) Ergänzende Informationen", "   - Graphik:", "     REGRESSIONSKURVE MIT BEREICHEN" } },
        { "Option9", "KAPA51-Probitanalyse", "KAPA51", "    PROBITANALYSE",
          { "a) Dosis-Wirkungs-Beziehung", "   - Probit-Transformation", "   - Maximum-Likelihood-Schätzung",
            "b) Kennwerte", "   - LD50/ED50 mit Vertrauensbereich", "   - LD16 und LD84", "c) Prüfung",
            "   - Chi²-Anpassungstest", "d) Ergänzende Informationen", "   - Graphik:", "     PROBITGERADE" } },
        { "Option10", "KAPA61-Logitanalyse", "KAPA61", "        LOGITANALYSE",
          { "a) Dosis-Wirkungs-Beziehung", "   - Logit-Transformation", "   - Maximum-Likelihood-Schätzung",
            "b) Kennwerte", "   - LD50/ED50 mit Vertrauensbereich", "c) Prüfung", "   - Chi²-Anpassungstest",
            "d) Ergänzende Informationen", "   - Graphik:", "     LOGITGERADE" } },
        { "Option12", "KAPA71-Hauptkomponentenanalyse", "KAPA71", "   HAUPTKOMPONENTENANALYSE (PCA)",
          { "a) Ausgangsmatrix", "   - Korrelationsmatrix", "   - Kovarianzmatrix", "b) Hauptkomponenten",
            "   - Eigenwerte und Eigenvektoren", "   - Erklärte Varianz", "   - Komponentenladungen", "c) Auswahl",
            "   - KAISER-Kriterium", "   - Scree-Test", "d) Ergänzende Informationen", "   - Graphik:",
            "     LADUNGSDIAGRAMM" } },
    };
    return modules;
}

std::string ModuleDescription(const ModuleEntry& m)
{
    std::string text = m.heading + kCrLf;
    for (const auto& line : m.lines)
        text += kCrLf + line;
    return text;
}

const std::vector<std::string>& WhyZerantixLines()
{
    static const std::vector<std::string> lines = {
        "Warum Zerantix?",
        "",
        "Zerantix wertet Ihre Daten nicht",
        "pauschal in einem Durchgang aus,",
        "sondern Schritt für Schritt,",
        "Datensatz für Datensatz.",
        "",
        "Vor jedem parametrischen Test prüft",
        "Zerantix, ob seine Voraussetzungen",
        "erfüllt sind: Normalverteilung und",
        "gleiche Varianzen.",
        "Sind sie nicht erfüllt, bietet",
        "Zerantix geeignete andere Tests an.",
        "",
        "Zwischen- und Endergebnisse werden",
        "in Worten erklärt: Hypothesen,",
        "Signifikanzschranke, Prüfgröße und",
        "die Entscheidung.",
        "",
        "So werden fehlerhafte statistische",
        "Auswertungen vermieden.",
    };
    return lines;
}

} // namespace zx
