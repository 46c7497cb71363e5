// The start window: the program directory it reads at start, the catalogue
// and the descriptions, its messages. (The entry into this module: the
// keyboard flow.)
#include "core/AnalysisRecord.h"
#include "ui/StartWindow.h"
#include "workflow/ModuleCatalogue.h"
#include "QtTestSupport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fstream>
#include <memory>

using namespace zx;
using zx::test::child;

class TestStartWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<zx::test::ScriptedDialogs> dialogs;
    std::unique_ptr<StartWindow> form;
    QTemporaryDir tmp;

    QPlainTextEdit* text(const char* name) { return child<QPlainTextEdit>(form.get(), name); }
    bool visible(const char* name) { return child<QWidget>(form.get(), name)->isVisible(); }

private slots:
    // A parameter file whose record 1 names the folder (Windows-1252), beside
    // a folder given as the argument: the record counts.
    void init()
    {
        const std::string path = (tmp.path() + "/velbor.PAR").toStdString();
        std::string bytes = std::string("\x0B\0/daten/zx\xE4/", 13);
        bytes.resize(100, ' ');
        std::ofstream(path, std::ios::binary) << bytes;
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<zx::test::ScriptedDialogs>(zx::test::QtScriptedDialogs());
        StartOptions options;
        options.parameterFile = path;
        options.argumentFolder = "/anderswo";
        form = std::make_unique<StartWindow>(*rec, *dialogs, options);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() { form.reset(); }

    void readsTheProgramDirectory() { QCOMPARE(rec->Verzeichnis, std::string("/daten/zxä/")); }

    // Each module of the catalogue in order, its description shown when its
    // option is chosen: a heading, an empty line, then sections "a) ..."
    // with items "   - ..." and sub-items.
    void catalogueAndDescriptions()
    {
        QVERIFY(visible("Image1") && !visible("Text1") && !visible("Text2"));
        const QRegularExpression layout("^([a-z]\\) |   - |     )\\S");
        int lastTop = -1;
        for (const ModuleEntry& m : ModuleCatalogue()) {
            auto* option = child<QRadioButton>(form.get(), m.control.c_str());
            QCOMPARE(option->text(), QString::fromStdString(m.caption));
            QVERIFY2(option->y() > lastTop, m.control.c_str());
            lastTop = option->y();
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
            QVERIFY(visible("Text2") && !visible("Image1"));
            const QStringList lines = text("Text2")->toPlainText().split('\n');
            QCOMPARE(lines.value(0), QString::fromStdString(m.heading));
            QCOMPARE(lines.value(1), QString());
            QVERIFY(lines.size() > 4 && lines[2].startsWith("a) "));
            for (const QString& line : lines.mid(2))
                QVERIFY2(layout.match(line).hasMatch(), qPrintable(line));
        }
        // "Warum Zerantix" in place of the description.
        zx::test::click(form.get(), "CmdWarum");
        QVERIFY(visible("Text1") && !visible("Text2") && !visible("Image1"));
        QVERIFY(text("Text1")->toPlainText().count('\n') >= 18);
    }

    void messagesAndEnd()
    {
        zx::test::click(form.get(), "CmdInhalt");
        zx::test::click(form.get(), "CmdInfo");
        QStringList shown;
        for (const auto& m : dialogs->shown())
            shown << QString::fromStdString(m.title + ": " + m.text);
        QCOMPARE(shown, QStringList({ "Tests und Verfahren im Zerantix: Bitte oben im HAUPTMENÜ auf die einzelnen Module klicken!",
                            "Weitere Infos über Zerantix: Bitte Datei InfoDemo.txt im Verzeichnis Zerantix lesen!" }));
        // The file "Info" points to lies beside the example workbook and
        // names this version.
        std::ifstream info(ZX_EXAMPLES_DIR "/InfoDemo.txt");
        std::string title, version;
        QVERIFY(std::getline(info, title) && std::getline(info, version));
        QCOMPARE(version, std::string("Version " ZX_VERSION));
        int endCalls = 0;
        form->endProgram = [&] { ++endCalls; };
        zx::test::click(form.get(), "CmdEnde");
        QCOMPARE(endCalls, 1);
    }
};

QTEST_MAIN(TestStartWindow)
#include "StartWindowTest.moc"
