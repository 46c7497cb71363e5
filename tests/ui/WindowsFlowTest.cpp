// "Deskriptive Parameter" and "Graphik" after a result, one analysis of each
// data type from the example workbook: the windows open, browse, leave the
// record's values alone and go when a test is chosen again.
#include "core/AnalysisRecord.h"
#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/PlotWindow.h"
#include "MainWindowSession.h"
#include "QtTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QTest>

using namespace zx;
using zx::test::child;

class TestWindowsFlow : public QObject {
    Q_OBJECT

    zx::test::MainWindowSession session;

private slots:
    void init() { session.start(); }
    void cleanup() { session.finish(); }

    void parametersAndPlot_data()
    {
        QTest::addColumn<QString>("menuEntry");
        QTest::addColumn<QStringList>("ranges");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("hypothesis");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("browsed"); // the sample after "Blättern"
        QTest::addColumn<bool>("boxWhisker");
        QTest::newRow("single values") << "mnuEinzel" << QStringList { "A2", "B2" } << QStringList { "Atlantik-Hering", "PAZIFIK" }
                                       << "List1" << 0 << "5" << "2" << true;
        QTest::newRow("class groups") << "mnuKlassen" << QStringList { "D2", "G2" } << QStringList { "FANG 1", "FANG 2" } << "List2"
                                      << 1 << "1%" << "2" << true;
        QTest::newRow("summary values") << "mnuXquerSN" << QStringList { "J2", "K2" } << QStringList { "ATLANTIK", "PAZIFIK" }
                                        << "List2" << 2 << "" << "2" << false;
        QTest::newRow("paired values") << "mnuWertepaare" << QStringList { "M2" } << QStringList { "Blutdruck" } << "List3" << 0
                                       << "5" << "1" << false;
    }

    void parametersAndPlot()
    {
        QFETCH(QString, menuEntry);
        QFETCH(QStringList, ranges);
        QFETCH(QStringList, names);
        QFETCH(QString, list);
        QFETCH(int, hypothesis);
        QFETCH(QString, level);
        QFETCH(QString, browsed);
        QFETCH(bool, boxWhisker);
        MainWindow* form = session.form.get();
        session.readSamples(menuEntry.toUtf8().constData(), ranges, names);
        session.choose(list.toUtf8().constData(), 0, hypothesis, level.toUtf8().constData());

        zx::test::click(form, "CmdDeskriptive");
        ParametersWindow* parameters = form->parametersWindow();
        QVERIFY(parameters && parameters->isVisible());
        QCOMPARE(child<QLabel>(parameters, "Label3")->text(), QString("1"));
        // The first name, shortened to ten characters, in upper case.
        const QString first = names[0].left(10).toUpper();
        QVERIFY2(parameters->listingText().endsWith(" DATEI: " + first), qPrintable(parameters->listingText()));
        for (const char* l : { "List1", "List2", "List3", "List5" })
            QVERIFY(!child<ClickList>(form, l)->isEnabled());
        zx::test::click(parameters, "CmdBlättern");
        QCOMPARE(child<QLabel>(parameters, "Label3")->text(), browsed);
        zx::test::click(parameters, "CmdBlättern");
        QCOMPARE(child<QLabel>(parameters, "Label3")->text(), QString("1"));

        // The plot reads the record without changing it.
        const double mean = session.rec->Mittelwert[1];
        const float minimum = session.rec->Minimum[1];
        zx::test::click(form, "CmdGraphik");
        PlotWindow* plot = form->plotWindow();
        QVERIFY(plot && plot->isVisible());
        QCOMPARE(child<QAction>(plot, "mnuBoxWisker")->isEnabled(), boxWhisker);
        QCOMPARE(session.rec->Mittelwert[1], mean);
        QCOMPARE(session.rec->Minimum[1], minimum);

        // A new test choice closes both.
        zx::test::click(form, "CmdTestWahl");
        zx::test::clickItem(child<ClickList>(form, list.toUtf8().constData()), 0);
        QVERIFY(!form->parametersWindow());
        QVERIFY(!form->plotWindow());
    }
};

QTEST_MAIN(TestWindowsFlow)
#include "WindowsFlowTest.moc"
