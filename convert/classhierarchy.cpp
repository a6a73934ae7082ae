#include "classhierarchy.h"

#include <algorithm>

ClassHierarchy::ClassHierarchy(const Diagram& diagram) : d_(diagram) {
    for (int i = 1; i < d_.elementCount(); ++i) {
        if (!d_.isLiveElement(i) || !d_.element(i).isSpecializationKind()) continue;
        const ClassLinks& l = links_[i] = classLinksOf(d_.document(), i);
        if (d_.element(i).is(KindSpecialization)) {
            specializations_.push_back(i);
            for (int s : l.superclasses) below_[s].push_back(i);
            for (int s : l.subclasses) above_[s].push_back(i);
        } else {
            categories_.push_back(i);
            for (int s : l.superclasses) over_[s].push_back(i);
            for (int s : l.subclasses) category_.emplace(s, i);
        }
    }
}

const std::vector<int>& ClassHierarchy::find(const std::map<int, std::vector<int>>& m, int key) {
    static const std::vector<int> none;
    const auto found = m.find(key);
    return found == m.end() ? none : found->second;
}

const ClassLinks& ClassHierarchy::links(int circle) const {
    static const ClassLinks none;
    const auto found = links_.find(circle);
    return found == links_.end() ? none : found->second;
}

int ClassHierarchy::superclassOf(int circle) const {
    const ClassLinks& l = links(circle);
    return l.superclasses.size() == 1 ? l.superclasses.front() : 0;
}

int ClassHierarchy::categoryOf(int entity) const {
    const auto found = category_.find(entity);
    return found == category_.end() ? 0 : found->second;
}

bool ClassHierarchy::isAbsorbed(int entity) const {
    const std::vector<int>& parents = parentsOf(entity);
    if (parents.size() != 1 || categoryOf(entity) || !superclassOf(parents.front())) return false;
    const SubclassMapping m = d_.element(parents.front()).Mapping;
    return m == SubclassMapping::OneTypeAttribute || m == SubclassMapping::TypeFlags;
}

bool ClassHierarchy::isDissolved(int entity) const {
    const std::vector<int>& circles = specializationsOf(entity);
    return std::any_of(circles.begin(), circles.end(), [&](int c) {
        return d_.element(c).Mapping == SubclassMapping::SubclassesOnly;
    });
}

int ClassHierarchy::holderOf(int entity) const {
    // Each step goes one class up; more steps than circles would mean a cycle.
    for (size_t steps = 0; isAbsorbed(entity) && steps <= specializations_.size(); ++steps)
        entity = superclassOf(parentsOf(entity).front());
    return entity;
}

std::vector<int> ClassHierarchy::findCycle() const {
    // Depth-first from every entity along superclass -> circle -> subclass; an entity met again
    // while it is still on the path closes a cycle.
    enum Mark { Unseen, OnPath, Done };
    std::map<int, Mark> marks;
    std::vector<int> path;
    std::vector<int> cycle;
    const auto children = [&](int e) {
        std::vector<int> out;
        for (int c : specializationsOf(e))
            for (int s : links(c).subclasses) out.push_back(s);
        for (int c : categoriesOver(e))
            for (int s : links(c).subclasses) out.push_back(s);
        return out;
    };
    const auto visit = [&](auto&& self, int e) -> bool {
        marks[e] = OnPath;
        path.push_back(e);
        for (int s : children(e)) {
            if (marks[s] == OnPath) {
                cycle.assign(std::find(path.begin(), path.end(), s), path.end());
                cycle.push_back(s);
                return true;
            }
            if (marks[s] == Unseen && self(self, s)) return true;
        }
        path.pop_back();
        marks[e] = Done;
        return false;
    };
    for (const auto& [circle, l] : links_)
        for (int e : l.superclasses)
            if (marks[e] == Unseen && visit(visit, e)) return cycle;
    return {};
}
