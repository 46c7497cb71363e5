// Dialogs answered from a prepared script, every message and question recorded.
// An unprepared question is reported and answered "Abbrechen"/"Nein": no hang.
#pragma once

#include "core/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zx::test {

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Message, Input, YesNo, OkCancel };

    struct Shown {
        Kind kind;
        std::string title;
        std::string text;
    };

    // Told of every unprepared question: the test framework's failure call.
    explicit ScriptedDialogs(std::function<void(const std::string&)> onFailure = {});

    // The next question must be an input box; nothing plays "Abbrechen".
    ScriptedDialogs& input(std::optional<std::string> answer) { return add({ Kind::Input, std::move(answer) }); }
    ScriptedDialogs& yesNo(bool yes) { return add({ Kind::YesNo, std::nullopt, yes }); }
    ScriptedDialogs& okCancel(bool ok) { return add({ Kind::OkCancel, std::nullopt, ok }); }

    void ShowMessage(const std::string& text, const std::string& title) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    bool AskOkCancel(const std::string& text, const std::string& title) override;

    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<Shown> shown(Kind kind) const;
    std::size_t pendingAnswers() const { return script_.size(); }
    void clear();

private:
    struct Answer {
        Kind kind;
        std::optional<std::string> text;
        bool yes = false;
    };
    ScriptedDialogs& add(Answer a)
    {
        script_.push_back(std::move(a));
        return *this;
    }
    std::optional<Answer> take(Kind kind, const std::string& title, const std::string& text);

    std::function<void(const std::string&)> onFailure_;
    std::deque<Answer> script_;
    std::vector<Shown> shown_;
    std::size_t failures_ = 0;
};

} // namespace zx::test
