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

bool FakePrompts::confirm(const QString& text) {
    confirmations << text;
    if (confirms_.empty()) return false;
    const bool yes = confirms_.front();
    confirms_.pop_front();
    return yes;
}

Prompts::SaveChoice FakePrompts::askToSave(const QString& text) {
    saveQuestions << text;
    if (saveChoices_.empty()) return SaveChoice::Cancel;
    const SaveChoice choice = saveChoices_.front();
    saveChoices_.pop_front();
    return choice;
}
