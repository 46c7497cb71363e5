// Helpers for tests that drive the real windows offscreen.
#pragma once

#include "ScriptedDialogs.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace zx::test {

// Scripted dialogs whose unprepared questions fail the running Qt test.
inline ScriptedDialogs QtScriptedDialogs()
{
    return ScriptedDialogs([](const std::string& what) { QTest::qFail(what.c_str(), __FILE__, __LINE__); });
}

template <typename T>
T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QString::fromLatin1(name));
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

} // namespace zx::test
