#pragma once

#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "prompts.h"

// Prompts answered from a script: queued answers are handed out in order, and everything the
// commands said or asked is recorded for assertions. An input or colour request with nothing
// queued counts as Cancel.
class FakePrompts : public Prompts {
public:
    struct InputRequest {
        QString prompt, title, defaultText;
    };

    void message(const QString& text) override { messages << text; }
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<OleColor> chooseColour(OleColor initial) override;
    bool confirm(const QString& text, Answer enter) override;
    // With no answer queued the question counts as 取消 (Cancel).
    SaveChoice askToSave(const QString& text) override;
    // With no answer queued the offer counts as 取消.
    bool offerDraft(const QString& problems) override;

    // Queue answers; answerCancel and an empty colour answer with Cancel.
    void answer(const QString& text) { inputs_.push_back({false, text}); }
    void answerCancel() { inputs_.push_back({true, QString()}); }
    void answerColour(std::optional<OleColor> colour) { colours_.push_back(colour); }
    void answerConfirm(bool yes) { confirms_.push_back(yes); }
    void answerSave(SaveChoice choice) { saveChoices_.push_back(choice); }
    void answerDraft(bool draft) { drafts_.push_back(draft); }
    // A question (yes/no, save or draft) with no answer of its own queued takes Enter: its
    // default button. One Enter per question.
    void answerEnter(int times = 1) { enters_ += times; }

    QStringList messages;
    std::vector<InputRequest> inputRequests;
    std::vector<OleColor> colourRequests;
    QStringList confirmations;
    std::vector<Answer> confirmationDefaults;  // what Enter would have answered each of them
    QStringList saveQuestions;
    QStringList draftOffers;

private:
    struct QueuedInput {
        bool cancel;
        QString text;
    };
    std::deque<QueuedInput> inputs_;
    std::deque<std::optional<OleColor>> colours_;
    // Whether an Enter is queued for a question without an answer of its own; uses it up.
    bool takeEnter();

    std::deque<bool> confirms_;
    std::deque<SaveChoice> saveChoices_;
    std::deque<bool> drafts_;
    int enters_ = 0;
};
