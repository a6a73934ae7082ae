#include "finding.h"

#include <algorithm>
#include <tuple>

std::vector<int> elementsNamed(const Document& document, const QString& text) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty()) return {};
    struct Match {
        int rank;  // 0 the whole caption, 1 its beginning, 2 anywhere in it
        QString caption;
        int index;
    };
    std::vector<Match> found;
    for (int i = 1; i < document.elementCount(); ++i) {
        if (!document.isLiveElement(i)) continue;
        const QString& caption = document.element(i).Caption;
        const qsizetype at = caption.indexOf(wanted, 0, Qt::CaseInsensitive);
        if (at < 0) continue;
        const int rank = at > 0 ? 2 : caption.size() == wanted.size() ? 0 : 1;
        found.push_back({rank, caption.toCaseFolded(), i});
    }
    std::sort(found.begin(), found.end(), [](const Match& a, const Match& b) {
        return std::tie(a.rank, a.caption, a.index) < std::tie(b.rank, b.caption, b.index);
    });
    std::vector<int> matches;
    matches.reserve(found.size());
    for (const Match& m : found) matches.push_back(m.index);
    return matches;
}

int adjacentMatch(const std::vector<int>& matches, int current, int step) {
    if (matches.empty()) return 0;
    const auto at = std::find(matches.begin(), matches.end(), current);
    if (at == matches.end()) return step < 0 ? matches.back() : matches.front();
    const auto n = std::ptrdiff_t(matches.size());
    const std::ptrdiff_t next = ((at - matches.begin()) + (step < 0 ? -1 : 1) + n) % n;
    return matches[size_t(next)];
}
