// Helpers for tests that drive the real windows offscreen.
#pragma once

#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "ui/Printing.h"
#include "ui/WorkbookWindow.h"
#include "ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

namespace zx::test {

// Scripted dialogs whose unprepared questions fail the running Qt test.
inline ScriptedDialogs QtScriptedDialogs()
{
    return ScriptedDialogs([](const std::string& what) { QTest::qFail(what.c_str(), __FILE__, __LINE__); });
}

template <typename T>
T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QString::fromUtf8(name));
    if (!c)
        qFatal("Steuerelement %s fehlt", name);
    return c;
}

inline void clickItem(QListWidget* list, int row)
{
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

inline void click(QWidget* w, const char* buttonName) { QTest::mouseClick(child<QPushButton>(w, buttonName), Qt::LeftButton); }

// Printing into the given PDF file, as without a printer; "" cancels.
inline PrintTarget PdfTarget(const QString& file)
{
    return { .askPdfFile = [file](QWidget*) { return file.isEmpty() ? std::nullopt : std::optional(file); }, .askPrinter = {},
        .pdfOnly = true };
}

// A PDF's text as poppler's pdftotext reads it, pages apart by form feeds.
inline QString PdfText(const QString& file, bool layout = true)
{
    QProcess p;
    p.start("pdftotext", layout ? QStringList { "-layout", file, "-" } : QStringList { file, "-" });
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return "pdftotext failed: " + p.errorString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Plays actions in order on the windows that wait for an answer (the active
// modal one, or a visible one of the step's name: some are not modal).
class ModalScript {
public:
    ModalScript()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    void then(const QString& objectName, std::function<void(QWidget*)> action) { steps_.push_back({ objectName, std::move(action) }); }

    bool done() const { return steps_.empty(); }
    QString pending() const { return done() ? QString() : steps_.front().first; }

private:
    void poll()
    {
        if (steps_.empty())
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != steps_.front().first) {
            modal = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->objectName() == steps_.front().first && w != handled_)
                    modal = w;
        }
        if (!modal || modal == handled_ || !modal->isVisible())
            return;
        handled_ = modal;
        auto action = std::move(steps_.front().second);
        steps_.pop_front();
        // A timer of its own: the poll timer does not fire while its own
        // callback still runs, and the action may open a nested event loop.
        QPointer<QWidget> target(modal);
        QTimer::singleShot(0, [target, action] {
            if (target)
                action(target);
        });
    }

    QTimer timer_;
    std::deque<std::pair<QString, std::function<void(QWidget*)>>> steps_;
    QPointer<QWidget> handled_;
};

// ---- The main window on the example workbook, and what tests do there.

inline const QStringList kButtons = { "CmdEingabe", "CmdNeuStart", "CmdTestWahl", "CmdZusatzTest", "CmdErgebnisse",
    "CmdDeskriptive", "CmdGraphik", "CmdEnde" };

// The main window's enabled buttons, "Cmd" left out.
inline QString enabledButtons(QWidget* form)
{
    QStringList on;
    for (const QString& name : kButtons)
        if (form->findChild<QPushButton*>(name)->isEnabled())
            on << name.mid(3);
    return on.join(' ');
}

inline WorkbookWindow* workbookWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* ww = qobject_cast<WorkbookWindow*>(w); ww && ww->isVisible())
            return ww;
    return nullptr;
}

inline void menu(QWidget* manager, const char* action) { manager->findChild<QAction*>(action)->trigger(); }

// A range typed into the question, and "OK".
inline void answerRange(QWidget* dialog, const QString& range)
{
    QTest::keyClicks(dialog->findChild<QLineEdit*>("Reference"), range);
    QTest::mouseClick(dialog->findChild<QPushButton*>("OK"), Qt::LeftButton);
}

struct MainWindowSession {
    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> form;
    QByteArray workbookBefore;
    std::string folder_;

    QPushButton* button(const char* name) { return child<QPushButton>(form.get(), name); }
    ClickList* list(const QString& name) { return child<ClickList>(form.get(), name.toLatin1().constData()); }

    // Every workbook of the program folder, byte for byte.
    QByteArray workbookBytes() const
    {
        QByteArray all;
        const QDir dir(QString::fromStdString(folder_));
        for (const QString& name : dir.entryList({ "blatt.*" }, QDir::Files, QDir::Name))
            if (QFile f(dir.filePath(name)); f.open(QIODevice::ReadOnly))
                all += name.toUtf8() + f.readAll();
        return all;
    }

    // From init(): a fresh record in the examples' (or the given) folder, the
    // main window shown.
    void start(const std::string& folder = ZX_EXAMPLES_DIR)
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        rec->Verzeichnis = folder + "/";
        folder_ = folder;
        workbookBefore = workbookBytes();
        QVERIFY(!workbookBefore.isEmpty());
        dialogs = std::make_unique<ScriptedDialogs>(QtScriptedDialogs());
        form = std::make_unique<MainWindow>(*rec, *dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // "DATEN: Eingabe" with the data manager's menu entry, the typed ranges
    // and the sample names, confirmed; then "Wahl des TESTS".
    void readSamples(const char* menuEntry, const QStringList& ranges, const QStringList& names)
    {
        ModalScript script;
        script.then("DataManagerWindow", [menuEntry](QWidget* m) { menu(m, menuEntry); });
        for (const QString& range : ranges)
            script.then("RangeDialog", [range](QWidget* d) { answerRange(d, range); });
        for (const QString& name : names)
            dialogs->input(name.toStdString());
        dialogs->yesNo(true);
        click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        click(form.get(), "CmdTestWahl");
    }

    // From cleanup(): every prepared answer used; the workbook unchanged.
    void finish()
    {
        QCOMPARE(dialogs->pendingAnswers(), std::size_t(0));
        form.reset();
        QVERIFY(workbookBytes() == workbookBefore);
    }
};

} // namespace zx::test
