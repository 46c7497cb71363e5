// Helpers for tests that drive the real windows offscreen.
#pragma once

#include "ScriptedDialogs.h"
#include "ui/Printing.h"

#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

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

// A user's click on an item of a list.
inline void clickItem(QListWidget* list, int row)
{
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

inline void click(QWidget* w, const char* buttonName)
{
    QTest::mouseClick(child<QPushButton>(w, buttonName), Qt::LeftButton);
}

// Printing into the given PDF file, as where there is no printer; an empty
// name cancels the file question.
inline PrintTarget PdfTarget(const QString& file)
{
    return { .askPdfFile = [file](QWidget*) { return file.isEmpty() ? std::nullopt : std::optional(file); }, .askPrinter = {}, .pdfOnly = true };
}

// The text of a PDF as poppler's pdftotext reads it, pages apart by form
// feeds.
inline QString PdfText(const QString& file, bool layout = true)
{
    QProcess p;
    p.start("pdftotext", layout ? QStringList { "-layout", file, "-" } : QStringList { file, "-" });
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return "pdftotext failed: " + p.errorString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Plays actions on windows that wait for an answer as they come up, in
// order: for each step the next such window must carry the given object
// name. Such a window is the active modal window, or a visible window of
// that name (questions that leave other windows usable are not modal). The
// action runs from the event loop of that window, so it may open further
// windows.
class ModalScript {
public:
    ModalScript()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    void then(const QString& objectName, std::function<void(QWidget*)> action)
    {
        steps_.push_back({ objectName, std::move(action) });
    }

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

} // namespace zx::test
