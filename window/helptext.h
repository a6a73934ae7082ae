#pragma once

#include <QString>
#include <span>

// The manual shown by the help window, kept as data: sections of short paragraphs and of terms
// with their explanations. The texts are traditional Chinese source texts (context "HelpText"),
// translated when shown.
struct HelpItem {
    const char* term;  // nullptr: `text` is a paragraph of its own
    const char* text;
    // The translation context of `term` when it is a message the program shows (its own text,
    // so the manual quotes it exactly in either language), and the example names put into the
    // message's %1, %2, ... ('|' between them).
    const char* termContext = nullptr;
    const char* termArguments = nullptr;
};

struct HelpSection {
    const char* anchor;
    const char* title;
    std::span<const HelpItem> items;
};

// The manual's sections in order. The list of keys is not among them: it is read from the window.
std::span<const HelpSection> helpSections();

// The anchor and the title of the list of keys, and what it says besides the keys (the mouse).
QString helpShortcutsAnchor();
QString helpShortcutsTitle();
std::span<const HelpItem> helpMouseItems();

// An item's term and text as shown, translated, a message with its example names filled in.
QString helpTerm(const HelpItem& item);
QString helpText(const HelpItem& item);
