// The start window: the catalogue and the descriptions, its messages. (The
// program directory and the entry into this module: the keyboard flow.)
#include "core/AnalysisRecord.h"
#include "ui/StartWindow.h"
#include "workflow/ModuleCatalogue.h"
#include "WindowTest.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <memory>

using namespace zx;
using namespace zx::test;

class TestStartWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<StartWindow> form;

    QPlainTextEdit* text(const char* name) { return child<QPlainTextEdit>(form.get(), name); }
    bool visible(const char* name) { return child<QWidget>(form.get(), name)->isVisible(); }

private slots:
    void init()
    {
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<ScriptedDialogs>(QtScriptedDialogs());
        StartOptions options;
        options.parameterFile = "/nirgends/velbor.PAR";
        options.argumentFolder = ZX_EXAMPLES_DIR;
        form = std::make_unique<StartWindow>(*rec, *dialogs, options);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() { form.reset(); }

    // Each module of the catalogue in order, its description shown when its
    // option is chosen.
    void catalogueMessagesAndEnd()
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
        click(form.get(), "CmdWarum");
        QVERIFY(visible("Text1") && !visible("Text2") && !visible("Image1"));
        QVERIFY(text("Text1")->toPlainText().count('\n') >= 18);
        // "Inhalt" and "Info" each answer with a message; "Ende" ends.
        click(form.get(), "CmdInhalt");
        click(form.get(), "CmdInfo");
        QCOMPARE(dialogs->shown().size(), std::size_t(2));
        int endCalls = 0;
        form->endProgram = [&] { ++endCalls; };
        click(form.get(), "CmdEnde");
        QCOMPARE(endCalls, 1);
    }
};

QTEST_MAIN(TestStartWindow)
#include "StartWindowTest.moc"
