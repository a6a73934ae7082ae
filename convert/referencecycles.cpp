#include "referencecycles.h"

#include <QCoreApplication>
#include <algorithm>
#include <map>

#include "schematext.h"

namespace {

// One foreign key: the columns of one group of a relation, and the relation they reference.
struct Reference {
    int from = 0, to = 0;
    std::vector<size_t> columns;
    bool key = false;
    bool deferred = false;
};

// The strongly connected components of the graph of `references` (those `use` accepts) over
// `count` relations: each relation's component number. Iterative (Tarjan), so that a chain of
// thousands of relations needs no deep stack.
std::vector<int> components(int count, const std::vector<Reference>& references,
                            const std::vector<bool>& use) {
    std::vector<std::vector<int>> out(static_cast<size_t>(count));
    for (size_t i = 0; i < references.size(); ++i)
        if (use[i]) out[size_t(references[i].from)].push_back(references[i].to);
    std::vector<int> index(size_t(count), -1), low(size_t(count), 0), component(size_t(count), -1);
    std::vector<bool> onStack(size_t(count), false);
    std::vector<int> stack;
    std::vector<std::pair<int, size_t>> calls;  // node, next edge
    int next = 0, found = 0;
    for (int start = 0; start < count; ++start) {
        if (index[size_t(start)] >= 0) continue;
        calls.push_back({start, 0});
        while (!calls.empty()) {
            auto& [v, edge] = calls.back();
            if (edge == 0 && index[size_t(v)] < 0) {
                index[size_t(v)] = low[size_t(v)] = next++;
                stack.push_back(v);
                onStack[size_t(v)] = true;
            }
            if (edge < out[size_t(v)].size()) {
                const int w = out[size_t(v)][edge++];
                if (index[size_t(w)] < 0)
                    calls.push_back({w, 0});
                else if (onStack[size_t(w)])
                    low[size_t(v)] = std::min(low[size_t(v)], index[size_t(w)]);
                continue;
            }
            if (low[size_t(v)] == index[size_t(v)]) {
                int w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[size_t(w)] = false;
                    component[size_t(w)] = found;
                } while (w != v);
                ++found;
            }
            const int done = v;
            calls.pop_back();
            if (!calls.empty())
                low[size_t(calls.back().first)] =
                    std::min(low[size_t(calls.back().first)], low[size_t(done)]);
        }
    }
    return component;
}

// Whether reference i lies on a cycle of the references `use` accepts.
std::vector<bool> onCycle(int count, const std::vector<Reference>& references,
                          const std::vector<bool>& use) {
    const std::vector<int> component = components(count, references, use);
    std::vector<bool> out(references.size(), false);
    for (size_t i = 0; i < references.size(); ++i)
        out[i] =
            use[i] && component[size_t(references[i].from)] == component[size_t(references[i].to)];
    return out;
}

}  // namespace

void markReferenceCycles(RelationalModel& model) {
    const std::vector<std::vector<ColumnReference>> targets = columnReferences(model);
    std::vector<Reference> references;
    for (size_t r = 0; r < model.relations.size(); ++r) {
        std::map<int, size_t> byGroup;
        const std::vector<Column>& columns = model.relations[r].columns;
        for (size_t c = 0; c < columns.size(); ++c) {
            const Column& column = columns[c];
            const int to = targets[r][c].relationIndex;
            if (!column.references || !column.required || to < 0 || to == int(r)) continue;
            const auto [at, added] =
                byGroup.try_emplace(column.references->group, references.size());
            if (added) references.push_back({int(r), to, {}, false, false});
            references[at->second].columns.push_back(c);
            references[at->second].key = references[at->second].key || column.key;
        }
    }
    if (references.empty()) return;
    const int count = int(model.relations.size());
    // References to a relation written earlier stay; those on a cycle to a later one wait. What
    // stays then runs from later relations to earlier ones only, except where a weak entity's
    // key (which cannot wait) points forward; the cycles left then wait as a whole.
    std::vector<bool> use(references.size(), true);
    std::vector<bool> cyclic = onCycle(count, references, use);
    for (size_t i = 0; i < references.size(); ++i)
        if (cyclic[i] && !references[i].key && references[i].to > references[i].from) {
            references[i].deferred = true;
            use[i] = false;
        }
    cyclic = onCycle(count, references, use);
    for (size_t i = 0; i < references.size(); ++i)
        if (cyclic[i] && !references[i].key) references[i].deferred = true;

    for (const Reference& reference : references) {
        if (!reference.deferred) continue;
        for (size_t c : reference.columns) {
            Column& column = model.relations[size_t(reference.from)].columns[c];
            column.deferred = true;
            column.why.reason += QCoreApplication::translate(
                                     "ReferenceCycles",
                                     "; %1 與 %2 互相以不可為空的外鍵參照, 形成循環: 這個外鍵延到"
                                     "交易結束時才檢查 (MySQL 不能延後檢查, 所以允許空值)")
                                     .arg(model.relations[size_t(reference.from)].name,
                                          model.relations[size_t(reference.to)].name);
        }
    }
}
