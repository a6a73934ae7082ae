#include "fakeprompts.h"

std::optional<QString> FakePrompts::input(const QString& prompt, const QString& title,
                                          const QString& defaultText) {
    inputRequests.push_back({prompt, title, defaultText});
    if (inputs_.empty()) return std::nullopt;
    const QueuedInput answer = inputs_.front();
    inputs_.pop_front();
    if (answer.cancel) return std::nullopt;
    return answer.text;
}

std::optional<OleColor> FakePrompts::chooseColour(OleColor initial) {
    colourRequests.push_back(initial);
    if (colours_.empty()) return std::nullopt;
    auto answer = colours_.front();
    colours_.pop_front();
    return answer;
}

bool FakePrompts::takeEnter() {
    if (enters_ == 0) return false;
    --enters_;
    return true;
}

// A queued answer comes first; then a queued Enter, which gives the default button; with neither
// the question is declined.
template <typename T>
static T nextAnswer(std::deque<T>& queue, bool enter, T byDefault, T declined) {
    if (queue.empty()) return enter ? byDefault : declined;
    const T answer = queue.front();
    queue.pop_front();
    return answer;
}

bool FakePrompts::confirm(const QString& text, Answer enter) {
    confirmations << text;
    confirmationDefaults.push_back(enter);
    return nextAnswer(confirms_, confirms_.empty() && takeEnter(), enter == Answer::Yes, false);
}

Prompts::SaveChoice FakePrompts::askToSave(const QString& text) {
    saveQuestions << text;
    return nextAnswer(saveChoices_, saveChoices_.empty() && takeEnter(), SaveChoice::Cancel,
                      SaveChoice::Cancel);
}

bool FakePrompts::offerDraft(const QString& problems) {
    draftOffers << problems;
    return nextAnswer(drafts_, drafts_.empty() && takeEnter(), false, false);
}
