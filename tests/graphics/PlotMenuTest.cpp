// The questions of the plot window's menus with scripted answers: the Y
// scale the user fixes, the line width, the title and axis names.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "graphics/Plot.h"
#include "graphics/PlotMenu.h"
#include "RecordingSurface.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <optional>

namespace zx {
namespace {

using Kind = test::ScriptedDialogs::Kind;

class PlotMenu : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator('.'); }

    test::ScriptedDialogs dialogs { [](const std::string& what) { ADD_FAILURE() << what; } };
    PlotSettings settings;
};

// The data span 10..80, so the axis shows -4..94 until the user fixes it;
// the new lowest and highest label then bound seven equal steps, also after
// a change of the plot type.
TEST_F(PlotMenu, FixedYScale)
{
    AnalysisRecord rec;
    test::SetSingleValues(rec, 1, { 10, 30, 40, 50, 60 });
    test::SetSingleValues(rec, 2, { 20, 35, 45, 55, 80 });
    const auto samples = ReadPlottedSamples(rec, dialogs);
    ASSERT_TRUE(samples.has_value());
    struct Case { std::optional<std::string> min, max; std::vector<std::string> labels; };
    const Case cases[] = {
        { "10", "80", { "10", "20", "30", "40", "50", "60", "70", "80" } },
        { "7", "56", { "7", "14", "21", "28", "35", "42", "49", "56" } },
        { "0", "10", { "0", "1,43", "2,86", "4,29", "5,71", "7,14", "8,57", "10" } },
        { std::nullopt, std::nullopt, { "-1,4", "-1", "-0,6", "-0,2", "0,2", "0,6", "1", "1,4" } }, // both cancelled: 0..0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labels[1]);
        settings = {};
        settings.PlotArt = kBoxWhiskerPlot;
        UpdateYRange(settings, *samples);
        dialogs.clear();
        dialogs.input(c.min).input(c.max);
        AskYScale(settings, dialogs);
        EXPECT_EQ(settings.YSkalaFest, "Ja");
        settings.PlotArt = kXsnPlot; // the fixed scale stays
        UpdateYRange(settings, *samples);
        test::RecordingSurface s;
        DrawPicture(s, settings, *samples);
        std::vector<std::string> labels;
        for (std::size_t j = 0; j < 8; ++j)
            labels.push_back(s.texts[j].text);
        EXPECT_EQ(labels, c.labels);
    }
    const auto& shown = dialogs.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].kind, Kind::Message);
    EXPECT_EQ(shown[0].title, "Neue Y-Skalierung");
    EXPECT_EQ(shown[1].text, "Eingabe eines neuen MIN-Wertes\r\rAKTUELLER MIN-WERT:   -4");
    EXPECT_EQ(shown[2].text, "Eingabe eines neuen MAX-Wertes\r\rAKTUELLER MAX-WERT:    94");
    EXPECT_EQ(shown[2].title, "");
}

// A width below 1 (0 after "Abbrechen", or no number) or beyond use keeps the
// previous width.
TEST_F(PlotMenu, LineWidth)
{
    struct Case { std::optional<std::string> answer; float width; };
    const Case cases[] = { { "2.5", 2.5f }, { "3,5", 3.5f }, { "1", 1 }, { std::nullopt, 1 }, { "0.5", 1 }, { "abc", 1 },
        { "-2", 1 }, { "1e999", 1 }, { "500", 1 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or("Abbrechen"));
        settings.LinienStaerke = 1;
        dialogs.input(c.answer);
        AskLineWidth(settings, dialogs);
        EXPECT_EQ(settings.LinienStaerke, c.width);
    }
    EXPECT_EQ(dialogs.shown().back().text, "Eingabe der Linie-Stärke\r\rBitte wählen Sie Werte etwa zwischen 1.0 und 3.0");
}

// Answers are taken as given; "Abbrechen" leaves an empty text, and the
// second X name is asked even after the first was cancelled.
TEST_F(PlotMenu, TitleAndAxisNames)
{
    dialogs.input(std::nullopt).input("Heringe").input(std::nullopt).input("Pazifik").input("Länge in cm");
    AskTitle(settings, dialogs);
    EXPECT_EQ(settings.GraphTitel, "");
    AskTitle(settings, dialogs);
    EXPECT_EQ(settings.GraphTitel, "Heringe");
    AskXNames(settings, dialogs);
    EXPECT_EQ(settings.XName1, "");
    EXPECT_EQ(settings.XName2, "Pazifik");
    AskYName(settings, dialogs);
    EXPECT_EQ(settings.YName, "Länge in cm");
    const auto asked = dialogs.shown(Kind::Input);
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[3].text, "Eingabe eines neuen X-Namen (max.10 Zeichen)\r\rAKTUELLER X-NAME: II");
    EXPECT_EQ(asked[3].title, "");
}

} // namespace
} // namespace zx
