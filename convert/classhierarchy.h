#pragma once

#include <map>
#include <vector>

#include "classlinks.h"
#include "diagram.h"

// The enhanced-ER structure of a diagram, read once from its class links: which live
// specialization and category circles join which entities, and, from each specialization's
// mapping option, which relation holds an entity's rows. Validation and the mapping share it.
class ClassHierarchy {
public:
    explicit ClassHierarchy(const Diagram& diagram);

    // Live circles, lowest index first.
    const std::vector<int>& specializations() const { return specializations_; }
    const std::vector<int>& categories() const { return categories_; }
    const ClassLinks& links(int circle) const;
    // A specialization's one superclass; 0 when it has none (or several: invalid).
    int superclassOf(int circle) const;

    // The specializations `entity` is the superclass of, and those it is a subclass of.
    const std::vector<int>& specializationsOf(int entity) const { return find(below_, entity); }
    const std::vector<int>& parentsOf(int entity) const { return find(above_, entity); }
    // The categories `entity` is a superclass of; the category it is the subclass of, or 0.
    const std::vector<int>& categoriesOver(int entity) const { return find(over_, entity); }
    int categoryOf(int entity) const;

    // A subclass of a specialization, or of a category: it has no key of its own to give.
    bool isSubclass(int entity) const {
        return !parentsOf(entity).empty() || categoryOf(entity) != 0;
    }
    // A subclass of one specialization mapped by 8C or 8D: its columns join the relation of its
    // superclass. (A shared subclass keeps a relation of its own whatever its parents' options.)
    bool isAbsorbed(int entity) const;
    // The superclass of a specialization mapped by 8B: it gets no relation of its own.
    bool isDissolved(int entity) const;
    // The entity whose relation holds the rows of `entity`: itself, or for an absorbed subclass
    // its superclass's holder.
    int holderOf(int entity) const;

    // The first entity found that is a subclass of itself through circles, with the chain of
    // entities from it back to it; empty when there is no such cycle.
    std::vector<int> findCycle() const;

private:
    static const std::vector<int>& find(const std::map<int, std::vector<int>>& m, int key);

    const Diagram& d_;
    std::vector<int> specializations_, categories_;
    std::map<int, ClassLinks> links_;
    std::map<int, std::vector<int>> below_, above_, over_;
    std::map<int, int> category_;
};
