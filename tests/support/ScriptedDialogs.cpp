#include "ScriptedDialogs.h"

#include <cstdio>
#include <cstdlib>

namespace zx::test {

namespace {

// Code asking the same unprepared question in a loop would never return.
constexpr std::size_t kMaxFailures = 200;
constexpr const char* kKindNames[] = { "Meldung", "Eingabe", "Ja/Nein", "OK/Abbrechen" };

} // namespace

ScriptedDialogs::ScriptedDialogs(std::function<void(const std::string&)> onFailure)
    : onFailure_(std::move(onFailure))
{
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(Kind kind, const std::string& title, const std::string& text)
{
    shown_.push_back({ kind, title, text });
    if (!script_.empty() && script_.front().kind == kind) {
        Answer a = script_.front();
        script_.pop_front();
        return a;
    }
    std::string what = std::string("Unvorbereitete Frage (") + kKindNames[int(kind)] + ") \"" + title + "\": " + text;
    if (!script_.empty())
        what += std::string(" -- erwartet war eine Frage der Art ") + kKindNames[int(script_.front().kind)];
    std::fprintf(stderr, "ScriptedDialogs: %s\n", what.c_str());
    if (onFailure_)
        onFailure_(what);
    if (++failures_ > kMaxFailures)
        std::abort();
    return std::nullopt;
}

void ScriptedDialogs::ShowMessage(const std::string& text, const std::string& title) { shown_.push_back({ Kind::Message, title, text }); }

// An unprepared question: "Abbrechen", "Nein".
std::optional<std::string> ScriptedDialogs::InputBox(const std::string& prompt, const std::string& title)
{
    return take(Kind::Input, title, prompt).value_or(Answer {}).text;
}
bool ScriptedDialogs::AskYesNo(const std::string& text, const std::string& title)
{
    return take(Kind::YesNo, title, text).value_or(Answer {}).yes;
}
bool ScriptedDialogs::AskOkCancel(const std::string& text, const std::string& title)
{
    return take(Kind::OkCancel, title, text).value_or(Answer {}).yes;
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::shown(Kind kind) const
{
    std::vector<Shown> out;
    for (const auto& s : shown_)
        if (s.kind == kind)
            out.push_back(s);
    return out;
}

void ScriptedDialogs::clear()
{
    script_.clear();
    shown_.clear();
    failures_ = 0;
}

} // namespace zx::test
