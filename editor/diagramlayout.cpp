// The whole diagram (or the chosen part of it) arranged as a layered drawing, after Sugiyama, of
// the graph whose nodes are the entities, relationships and specialization or category circles
// and whose edges are the relationship lines and class links; attributes then go on rings around
// their owners (attributerings.h).
//
// Why layered: a Chen diagram joins entities only through relationships (and circles), so its
// graph is bipartite. Rows taken by breadth-first distance from a central node then have every line
// joining neighbouring rows: rows of entities alternate with rows of relationships, and each
// relationship sits between the entities it joins. A few barycentre sweeps keep crossings rare,
// and a one-dimensional placement that pulls each node over its neighbours keeps lines short and
// steep. All of it takes near-linear time and gives the same drawing for the same diagram every
// time, where a force-directed layout needs many quadratic iterations and settles differently
// after every small edit; overlaps cannot arise, since every node is given the room of its
// attribute ring in its row.
#include "diagramlayout.h"

#include <QSizeF>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

#include "attributerings.h"

namespace {

constexpr double kUnitGap = 40;   // between neighbours in a row
constexpr double kLayerGap = 60;  // between rows
constexpr double kPartGap = 80;   // between separate parts of the diagram
constexpr int kSweeps = 4;

struct Part {
    std::vector<std::vector<int>> rows;  // units by layer, each row in its order
    std::vector<double> bandShifts;      // how far each row moved right into its band
    QRectF bounds;                       // the room the part takes
};

// A node of the layered drawing: one entity, relationship or ownerless attribute, or a
// relationship with the weak entities it identifies beside it.
struct Unit {
    std::vector<int> members;
    std::vector<QPointF> offsets;  // each member's centre from the unit's centre
    // The room the members take with their attributes, around the unit's centre: at first the
    // discs their attribute rings may fill, then what the rings placed really cover.
    QRectF extent;
    std::vector<int> neighbours;  // units joined to this one, once for every line
    int layer = -1;
    int position = 0;  // in its row
    QPointF centre;
};

class Layout {
public:
    Layout(const Document& doc, const std::vector<int>& chosen) : doc_(doc), rings_(doc) {
        unitOf_.assign(size_t(doc.elementCount()), -1);
        std::set<int> tops;
        const auto consider = [&](int i) {
            if (doc.isLiveElement(i)) tops.insert(topOwner(doc, i));
        };
        if (chosen.empty())
            for (int i = 1; i < doc.elementCount(); ++i) consider(i);
        for (int i : chosen) consider(i);
        nodes_.assign(tops.begin(), tops.end());
    }

    LayoutPlan run(bool keepClearOfOthers) {
        if (nodes_.empty()) return LayoutPlan(doc_);
        buildUnits();
        joinUnits();
        std::vector<Part> laidOut;
        for (const std::vector<int>& part : parts()) laidOut.push_back(layOut(part));
        pack(laidOut);
        // Each unit took the whole disc its rings may fill; once they are placed, it takes only
        // what they cover, and rows and parts close up. The rings are placed again for the lines'
        // new directions unless that would make anything meet; else they keep their first turn.
        keepRings(place());
        for (Part& part : laidOut) {
            for (size_t r = 0; r < part.rows.size(); ++r) {
                std::vector<double> now;
                for (int u : part.rows[r])
                    now.push_back(units_[size_t(u)].centre.x() - part.bandShifts[r]);
                placeRow(part.rows[r], now);
            }
            placeOverNeighbours(part);
            part.bounds = stackRows(part);
        }
        pack(laidOut);
        // Placed once where it lies now, to learn where its top left element lands; then for good.
        QRectF arranged;
        {
            const LayoutPlan trial = settle();
            for (int i : trial.moved()) arranged |= trial.box(i);
        }
        shift(shiftFor(arranged.topLeft(), keepClearOfOthers));
        return settle();
    }

private:
    LayoutPlan place() const {
        LayoutPlan plan(doc_);
        for (const Unit& unit : units_)
            for (size_t n = 0; n < unit.members.size(); ++n)
                plan.moveCentre(unit.members[n], unit.centre + unit.offsets[n]);
        for (int i : nodes_) rings_.place(plan, i, lineDirections(plan, i));
        return plan;
    }

    // Notes where everything of each unit lies in `first`, around the unit's centre: its extent,
    // and the places placeKept() gives back.
    void keepRings(const LayoutPlan& first) {
        kept_.clear();
        std::vector<bool> seen(size_t(doc_.elementCount()), false);
        for (Unit& unit : units_) {
            unit.extent = QRectF();
            std::vector<int> tree;
            for (int i : unit.members) collectTree(i, tree, seen);
            for (int i : tree) {
                unit.extent |= first.box(i).translated(-unit.centre);
                kept_.push_back(
                    {i, unitOf_[size_t(topOwner(doc_, i))], first.centre(i) - unit.centre});
            }
        }
    }

    // The rings placed afresh when that keeps everything clear, else as they were first placed.
    LayoutPlan settle() const {
        LayoutPlan placed = place();
        return clear(placed) ? placed : placeKept();
    }

    LayoutPlan placeKept() const {
        LayoutPlan plan(doc_);
        for (const Kept& k : kept_)
            plan.moveCentre(k.element, units_[size_t(k.unit)].centre + k.offset);
        return plan;
    }

    // Whether no arranged element comes near another element.
    bool clear(const LayoutPlan& plan) const {
        TakenBoxes taken;
        for (int i = 1; i < doc_.elementCount(); ++i)
            if (doc_.isLiveElement(i) && !plan.isMoved(i)) taken.insert(plan.box(i));
        for (int i : plan.moved()) {
            if (taken.hits(plan.box(i), AttributeRings::kClearance / 2)) return false;
            taken.insert(plan.box(i));
        }
        return true;
    }

    void collectTree(int i, std::vector<int>& into, std::vector<bool>& seen) const {
        if (seen[size_t(i)]) return;
        seen[size_t(i)] = true;
        into.push_back(i);
        for (int a : ownedAttributes(doc_, i)) collectTree(a, into, seen);
    }

    QSizeF room(int i) const {
        if (ownedAttributes(doc_, i).empty())
            return {doc_.element(i).Width, doc_.element(i).Height};
        const double side = 2 * rings_.reach(i);
        return {side, side};
    }

    bool isNode(int i) const { return std::binary_search(nodes_.begin(), nodes_.end(), i); }

    void buildUnits() {
        // A weak entity goes beside its identifying relationship: right, left, then further right.
        for (int r : nodes_) {
            if (!doc_.element(r).isRelationshipKind()) continue;
            std::vector<int> weak;
            for (qint16 w : doc_.element(r).RelativeEntityList.items())
                if (isNode(w) && unitOf_[size_t(w)] < 0 && doc_.element(w).is(KindWeakEntity) &&
                    doc_.element(w).WeakRelationList.containsItem(qint16(r)) &&
                    std::find(weak.begin(), weak.end(), w) == weak.end())
                    weak.push_back(w);
            if (weak.empty()) continue;
            std::vector<int> row{r};
            for (size_t n = 0; n < weak.size(); ++n)
                if (n == 1)
                    row.insert(row.begin(), weak[n]);
                else
                    row.push_back(weak[n]);
            addUnit(row);
        }
        for (int i : nodes_)
            if (unitOf_[size_t(i)] < 0) addUnit({i});
    }

    // A unit of members side by side, centred on each other's middles.
    void addUnit(const std::vector<int>& row) {
        Unit unit;
        double width = 0, height = 0;
        std::vector<double> middles;
        for (int i : row) {
            const QSizeF size = room(i);
            if (!middles.empty()) width += kUnitGap;
            middles.push_back(width + size.width() / 2);
            width += size.width();
            height = std::max(height, size.height());
            unitOf_[size_t(i)] = int(units_.size());
        }
        unit.members = row;
        for (double middle : middles) unit.offsets.emplace_back(middle - width / 2, 0);
        unit.extent = QRectF(-width / 2, -height / 2, width, height);
        units_.push_back(std::move(unit));
    }

    void joinUnits() {
        for (int k = 1; k < doc_.connectorCount(); ++k) {
            if (!doc_.isLiveConnector(k) || !joinsClasses(doc_.connector(k))) continue;
            const Connector& c = doc_.connector(k);
            if (!doc_.isElement(c.first) || !doc_.isElement(c.second)) continue;
            const int u = unitOf_[size_t(c.first)], v = unitOf_[size_t(c.second)];
            if (u < 0 || v < 0 || u == v) continue;
            units_[size_t(u)].neighbours.push_back(v);
            units_[size_t(v)].neighbours.push_back(u);
        }
    }

    // The connected parts, each listed in the order a breadth-first walk meets its units.
    std::vector<std::vector<int>> parts() {
        visited_.assign(units_.size(), 0);
        parent_.assign(units_.size(), -1);
        std::vector<std::vector<int>> found;
        for (size_t u = 0; u < units_.size(); ++u)
            if (!visited_[u]) found.push_back(walk(int(u)));
        return found;
    }

    // Breadth-first from `from` over its part: each unit's layer becomes its distance and
    // parent_ the unit it was reached from. Every walk marks its units with a number of its own,
    // so no walk pays for the size of the whole diagram.
    std::vector<int> walk(int from) {
        const int mark = ++walks_;
        std::vector<int> order{from};
        visited_[size_t(from)] = mark;
        units_[size_t(from)].layer = 0;
        parent_[size_t(from)] = -1;
        for (size_t n = 0; n < order.size(); ++n) {
            const Unit& unit = units_[size_t(order[n])];
            for (int v : unit.neighbours)
                if (visited_[size_t(v)] != mark) {
                    visited_[size_t(v)] = mark;
                    units_[size_t(v)].layer = unit.layer + 1;
                    parent_[size_t(v)] = order[n];
                    order.push_back(v);
                }
        }
        return order;
    }

    // Lays the part out in rows around the origin.
    Part layOut(const std::vector<int>& part) {
        // The root is the middle of a longest shortest path (found by two walks), which keeps the
        // rows few.
        std::vector<int> path{walk(walk(part.front()).back()).back()};
        while (parent_[size_t(path.back())] >= 0) path.push_back(parent_[size_t(path.back())]);
        Part laidOut;
        std::vector<std::vector<int>>& rows = laidOut.rows;
        for (int u : walk(path[path.size() / 2])) {
            Unit& unit = units_[size_t(u)];
            if (size_t(unit.layer) >= rows.size()) rows.emplace_back();
            unit.position = int(rows[size_t(unit.layer)].size());
            rows[size_t(unit.layer)].push_back(u);
        }
        for (int sweep = 0; sweep < kSweeps; ++sweep) {
            for (size_t l = 1; l < rows.size(); ++l) orderByBarycentre(rows[l], rows[l - 1]);
            for (size_t l = rows.size() - 1; l-- > 0;) orderByBarycentre(rows[l], rows[l + 1]);
        }
        for (std::vector<int>& row : rows) placeRow(row, {});
        placeOverNeighbours(laidOut);
        laidOut.bounds = stackRows(laidOut);
        return laidOut;
    }

    void placeOverNeighbours(const Part& part) {
        const std::vector<std::vector<int>>& rows = part.rows;
        for (int sweep = 0; sweep < kSweeps; ++sweep) {
            for (size_t l = 1; l < rows.size(); ++l) placeOver(rows[l], int(l) - 1);
            for (size_t l = rows.size() - 1; l-- > 0;) placeOver(rows[l], int(l) + 1);
        }
    }

    // The rows one below the other, kLayerGap apart; returns the room the part takes. A part
    // far taller than wide (a long chain of relationships) is folded into side-by-side bands of
    // rows, every other band upwards, so that the lines from one band to the next stay short and
    // the drawing comes out about square.
    QRectF stackRows(Part& part) {
        std::vector<double> above(part.rows.size(), 0), below(part.rows.size(), 0);
        double left = INFINITY, right = -INFINITY, total = 0;
        for (size_t r = 0; r < part.rows.size(); ++r) {
            for (int u : part.rows[r]) {
                const Unit& unit = units_[size_t(u)];
                above[r] = std::min(above[r], unit.extent.top());
                below[r] = std::max(below[r], unit.extent.bottom());
                left = std::min(left, roomOf(unit).left());
                right = std::max(right, roomOf(unit).right());
            }
            total += below[r] - above[r] + kLayerGap;
        }
        const double bandWidth = right - left + kPartGap;
        const int bands = std::max(1, int(std::lround(std::sqrt(total / bandWidth))));
        part.bandShifts.assign(part.rows.size(), 0);
        QRectF bounds;
        size_t first = 0;
        for (int band = 0; band < bands && first < part.rows.size(); ++band) {
            // The band's rows: as many as fill its share of the height, the rest in the last.
            size_t end = first;
            for (double height = 0;
                 end < part.rows.size() && (band == bands - 1 || height < total / bands); ++end)
                height += below[end] - above[end] + kLayerGap;
            double top = 0;
            for (size_t n = first; n < end; ++n) {
                const size_t r = band % 2 ? first + end - 1 - n : n;
                part.bandShifts[r] = band * bandWidth;
                for (int u : part.rows[r]) {
                    Unit& unit = units_[size_t(u)];
                    unit.centre = QPointF(unit.centre.x() + part.bandShifts[r], top - above[r]);
                    bounds |= roomOf(unit);
                }
                top += below[r] - above[r] + kLayerGap;
            }
            first = end;
        }
        return bounds;
    }

    static QRectF roomOf(const Unit& unit) { return unit.extent.translated(unit.centre); }

    // The mean of `value` over the unit's neighbours in `layer`; `otherwise` when none is there.
    template <typename Value>
    double meanOverNeighbours(const Unit& unit, int layer, Value value, double otherwise) const {
        double sum = 0;
        int count = 0;
        for (int v : unit.neighbours)
            if (units_[size_t(v)].layer == layer) {
                sum += value(units_[size_t(v)]);
                ++count;
            }
        return count ? sum / count : otherwise;
    }

    // Sorts a row by where its neighbours in the next row lie (as a share of that row's
    // length); a unit with none there keeps its own share.
    void orderByBarycentre(std::vector<int>& row, const std::vector<int>& next) {
        const int nextLayer = units_[size_t(next.front())].layer;
        std::vector<std::pair<double, int>> keyed;
        for (int u : row) {
            const Unit& unit = units_[size_t(u)];
            const auto share = [](const Unit& v, size_t of) { return (v.position + 0.5) / of; };
            keyed.emplace_back(
                meanOverNeighbours(
                    unit, nextLayer, [&](const Unit& v) { return share(v, next.size()); },
                    share(unit, row.size())),
                u);
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t n = 0; n < keyed.size(); ++n) {
            row[n] = keyed[n].second;
            units_[size_t(row[n])].position = int(n);
        }
    }

    // Each unit of the row as near over the middle of its neighbours in `layer` as the row allows.
    void placeOver(const std::vector<int>& row, int layer) {
        std::vector<double> wanted;
        for (int u : row) {
            const Unit& unit = units_[size_t(u)];
            wanted.push_back(meanOverNeighbours(
                unit, layer, [](const Unit& v) { return v.centre.x(); }, unit.centre.x()));
        }
        placeRow(row, wanted);
    }

    // Places the row's units in their order, kUnitGap apart at least, each as near its wanted x
    // as that allows (least squares): with the spacing taken out, the positions must not fall,
    // and pooling adjacent violators finds the best such positions in linear time. Without
    // wishes the row is packed around 0.
    void placeRow(const std::vector<int>& row, std::vector<double> wanted) {
        std::vector<double> spacing(row.size(), 0);
        for (size_t n = 1; n < row.size(); ++n)
            spacing[n] = spacing[n - 1] + units_[size_t(row[n - 1])].extent.right() + kUnitGap -
                         units_[size_t(row[n])].extent.left();
        if (wanted.empty()) wanted.assign(row.size(), spacing.back() / 2);
        struct Pool {
            double sum;
            int count;
            double mean() const { return sum / count; }
        };
        std::vector<Pool> pools;
        for (size_t n = 0; n < row.size(); ++n) {
            pools.push_back({wanted[n] - spacing[n], 1});
            while (pools.size() > 1 && pools[pools.size() - 2].mean() > pools.back().mean()) {
                pools[pools.size() - 2].sum += pools.back().sum;
                pools[pools.size() - 2].count += pools.back().count;
                pools.pop_back();
            }
        }
        size_t n = 0;
        for (const Pool& pool : pools)
            for (int c = 0; c < pool.count; ++c, ++n)
                units_[size_t(row[n])].centre.setX(pool.mean() + spacing[n]);
    }

    // Separate parts in rows of about a square's width, tallest first.
    void pack(std::vector<Part>& laidOut) {
        std::vector<Part*> tallestFirst;
        for (Part& part : laidOut) tallestFirst.push_back(&part);
        std::stable_sort(
            tallestFirst.begin(), tallestFirst.end(),
            [](const Part* a, const Part* b) { return a->bounds.height() > b->bounds.height(); });
        double area = 0, widest = 0;
        for (const Part* part : tallestFirst) {
            area += (part->bounds.width() + kPartGap) * (part->bounds.height() + kPartGap);
            widest = std::max(widest, part->bounds.width());
        }
        const double rowWidth = std::max(widest, 1.5 * std::sqrt(area));
        double x = 0, y = 0, rowHeight = 0;
        for (Part* part : tallestFirst) {
            if (x > 0 && x + part->bounds.width() > rowWidth) {
                x = 0;
                y += rowHeight + kPartGap;
                rowHeight = 0;
            }
            const QPointF by = QPointF(x, y) - part->bounds.topLeft();
            for (const std::vector<int>& row : part->rows)
                for (int u : row) units_[size_t(u)].centre += by;
            part->bounds.translate(by);
            x += part->bounds.width() + kPartGap;
            rowHeight = std::max(rowHeight, part->bounds.height());
        }
    }

    void shift(QPointF by) {
        for (Unit& unit : units_) unit.centre += by;
    }

    // How far the laid-out units move: the arranged elements' top left corner, now at `from`,
    // goes where theirs was; for chosen elements that would then come near others, below all
    // others instead.
    QPointF shiftFor(QPointF from, bool keepClearOfOthers) const {
        std::vector<bool> moving(size_t(doc_.elementCount()), false);
        QRectF before;
        for (int i : nodes_) markTree(i, moving);
        for (int i = 1; i < doc_.elementCount(); ++i)
            if (moving[size_t(i)]) before |= boxOf(i);
        const QPointF corner = before.topLeft();
        if (!keepClearOfOthers) return corner - from;
        TakenBoxes others;
        double bottom = -INFINITY;
        for (int i = 1; i < doc_.elementCount(); ++i)
            if (doc_.isLiveElement(i) && !moving[size_t(i)]) {
                others.insert(boxOf(i));
                bottom = std::max(bottom, boxOf(i).bottom());
            }
        const bool clear = std::none_of(units_.begin(), units_.end(), [&](const Unit& unit) {
            return others.hits(roomOf(unit).translated(corner - from), AttributeRings::kClearance);
        });
        return (clear ? corner : QPointF(corner.x(), bottom + kPartGap)) - from;
    }

    void markTree(int i, std::vector<bool>& into) const {
        if (into[size_t(i)]) return;
        into[size_t(i)] = true;
        for (int a : ownedAttributes(doc_, i)) markTree(a, into);
    }

    QRectF boxOf(int i) const {
        const Element& e = doc_.element(i);
        return {e.Left, e.Top, e.Width, e.Height};
    }

    const Document& doc_;
    const AttributeRings rings_;
    std::vector<int> nodes_;  // entities, relationships and ownerless attributes, ascending
    std::vector<int> unitOf_;
    std::vector<Unit> units_;
    std::vector<int> visited_, parent_;
    int walks_ = 0;
    // Where placeKept() puts each arranged element: its unit, and its centre from the unit's.
    struct Kept {
        int element;
        int unit;
        QPointF offset;
    };
    std::vector<Kept> kept_;
};

}  // namespace

LayoutPlan layOutDiagram(const Document& doc, const std::vector<int>& chosen) {
    return Layout(doc, chosen).run(!chosen.empty());
}
