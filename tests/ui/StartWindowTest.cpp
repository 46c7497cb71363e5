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
    // option is chosen.
    void catalogueAndDescriptions()
    {
        QVERIFY(visible("Image1") && !visible("Text1") && !visible("Text2"));
        int lastTop = -1;
        for (const ModuleEntry& m : ModuleCatalogue()) {
            auto* option = child<QRadioButton>(form.get(), m.control.c_str());
            QCOMPARE(option->text(), QString::fromStdString(m.caption));
            QVERIFY2(option->y() > lastTop, m.control.c_str());
            lastTop = option->y();
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
            QVERIFY(visible("Text2") && !visible("Image1"));
            QCOMPARE(text("Text2")->toPlainText().section('\n', 0, 0), QString::fromStdString(m.heading));
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
        int endCalls = 0;
        form->endProgram = [&] { ++endCalls; };
        zx::test::click(form.get(), "CmdEnde");
        QCOMPARE(endCalls, 1);
    }
};

QTEST_MAIN(TestStartWindow)
#include "StartWindowTest.moc"
