#pragma once

#include <QString>
#include <optional>

#include "olecolor.h"

// The little dialogs the commands talk to the user through. The main window answers with real
// message, input and colour dialogs; tests answer from a script.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A modal message box with an OK button and the program's title.
    virtual void message(const QString& text) = 0;
    // A modal input box; nullopt when the user cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    // The colour chooser preset to `initial`; nullopt when the user cancels.
    virtual std::optional<OleColor> chooseColour(OleColor initial) = 0;
    // A yes/no question; true for yes. `enter` is the answer the Enter key gives: a question
    // whose yes overwrites, deletes or discards something asks with No.
    enum class Answer { No, Yes };
    virtual bool confirm(const QString& text, Answer enter) = 0;
    // The question before unsaved changes would be lost, answered 儲存 / 不儲存 / 取消; Enter
    // gives 取消.
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askToSave(const QString& text) = 0;
    // A diagram that fails validation is to be saved: `problems` says why, and the answer is
    // 「儲存為草稿」 (true) or 取消 (false, also Enter). Prompts that cannot ask say 取消.
    virtual bool offerDraft(const QString& problems) {
        message(problems);
        return false;
    }
};
