#include "geometry.h"

#include <cmath>
#include <limits>

namespace {

struct Point {
    float x = 0, y = 0;
};

enum class Side { Right, Left, Top, Bottom };

// Element geometry is read and combined as 32-bit floats, so the end points land exactly where
// the views compute the element's sides.
Point sideMidpoint(const Element& e, Side side) {
    const float l = e.Left, t = e.Top, w = e.Width, h = e.Height;
    switch (side) {
        case Side::Right:
            return {l + w, t + h / 2};
        case Side::Left:
            return {l, t + h / 2};
        case Side::Top:
            return {l + w / 2, t};
        case Side::Bottom:
            return {l + w / 2, t + h};
    }
    return {};
}

Point centre(const Element& e) {
    return {e.Left + e.Width / 2, e.Top + e.Height / 2};
}

// Which corner of a label sits on its anchor point.
enum class Corner { BelowRight, BelowLeft, AboveRight, AboveLeft };

void putLabel(Label& label, float px, float py, Corner corner) {
    const bool left = corner == Corner::BelowLeft || corner == Corner::AboveLeft;
    const bool above = corner == Corner::AboveRight || corner == Corner::AboveLeft;
    label.Left = left ? px - label.Width : px;
    label.Top = above ? py - label.Height : py;
}

// Signs of the line offset on each coordinate: the second line runs beside the first, each end
// moved along the element side it lies on.
struct Shift {
    int x1, y1, x2, y2;
};

void setEnds(Line& line, Point end1, Point end2, Shift shift, int offset) {
    line.X1 = end1.x + float(shift.x1 * offset);
    line.Y1 = end1.y + float(shift.y1 * offset);
    line.X2 = end2.x + float(shift.x2 * offset);
    line.Y2 = end2.y + float(shift.y2 * offset);
}

// For the straight pairs (sides facing each other) the label corner depends on which way the
// line slants, read from the end points just set.
enum class Slant { None, Y1BelowY2, Y1NotBelowY2, X1NotLeftOfX2 };

struct LabelRule {
    Slant test;
    Corner ifTrue;
    Corner ifFalse = Corner::BelowRight;
};

Corner cornerFor(const LabelRule& rule, const Line& line) {
    bool holds = true;
    switch (rule.test) {
        case Slant::None:
            break;
        case Slant::Y1BelowY2:
            holds = line.Y1 > line.Y2;
            break;
        case Slant::Y1NotBelowY2:
            holds = line.Y1 <= line.Y2;
            break;
        case Slant::X1NotLeftOfX2:
            holds = line.X1 >= line.X2;
            break;
    }
    return holds ? rule.ifTrue : rule.ifFalse;
}

struct CandidatePair {
    Side end1, end2;
    Shift shift;
    LabelRule atEnd1, atEnd2;
};

using C = Corner;
using S = Slant;

// The candidate pairs in the order they are tried; like sides (right to right, ...) never face
// each other and are left out.
// clang-format off
constexpr CandidatePair kPairs[12] = {
    //  end 1         end 2         shift           label at end 1                                   label at end 2
    {Side::Right,  Side::Left,   {0, 1, 0, 1},   {S::Y1BelowY2, C::BelowRight, C::AboveRight},     {S::Y1NotBelowY2, C::BelowLeft, C::AboveLeft}},
    {Side::Right,  Side::Top,    {0, 1, -1, 0},  {S::None, C::AboveRight},                         {S::None, C::AboveRight}},
    {Side::Right,  Side::Bottom, {0, 1, 1, 0},   {S::None, C::BelowRight},                         {S::None, C::BelowRight}},
    {Side::Left,   Side::Right,  {0, 1, 0, 1},   {S::Y1BelowY2, C::BelowLeft, C::AboveLeft},       {S::Y1NotBelowY2, C::BelowRight, C::AboveRight}},
    {Side::Left,   Side::Top,    {0, 1, 1, 0},   {S::None, C::AboveLeft},                          {S::None, C::AboveLeft}},
    {Side::Left,   Side::Bottom, {0, 1, -1, 0},  {S::None, C::BelowLeft},                          {S::None, C::BelowLeft}},
    {Side::Top,    Side::Left,   {1, 0, 0, 1},   {S::None, C::AboveLeft},                          {S::None, C::AboveLeft}},
    {Side::Top,    Side::Right,  {-1, 0, 0, 1},  {S::None, C::AboveRight},                         {S::None, C::AboveRight}},
    {Side::Top,    Side::Bottom, {1, 0, 1, 0},   {S::X1NotLeftOfX2, C::AboveRight, C::AboveLeft},  {S::X1NotLeftOfX2, C::BelowLeft, C::BelowRight}},
    {Side::Bottom, Side::Left,   {1, 0, 0, -1},  {S::None, C::BelowLeft},                          {S::None, C::BelowLeft}},
    {Side::Bottom, Side::Right,  {1, 0, 0, 1},   {S::None, C::BelowRight},                         {S::None, C::BelowRight}},
    {Side::Bottom, Side::Top,    {1, 0, 1, 0},   {S::X1NotLeftOfX2, C::BelowRight, C::BelowLeft},  {S::X1NotLeftOfX2, C::AboveLeft, C::AboveRight}},
};
// clang-format on

// Squared distances are compared as whole numbers rounded half to even, so two pairs whose
// distances round alike tie and the earlier one wins. 64 bits keep the order of anything that can
// compete with the starting best; larger values (and NaN from unusable geometry) can never win.
constexpr qint64 kNoDistance = std::numeric_limits<qint64>::max();

qint64 storedSquaredDistance(Point a, Point b) {
    const double dx = double(a.x) - double(b.x);
    const double dy = double(a.y) - double(b.y);
    const double squared = dx * dx + dy * dy;
    if (!(squared < 4e18)) return kNoDistance;
    const double floor = std::floor(squared);
    const double fraction = squared - floor;
    qint64 rounded = qint64(floor);
    if (fraction > 0.5 || (fraction == 0.5 && rounded % 2 != 0)) ++rounded;
    return rounded;
}

// The element arrays include the hidden template 0; an index outside them (a damaged tag) leaves
// the connector where it is.
bool hasElement(const Diagram& diagram, qint16 index) {
    return index >= 0 && index < diagram.elementCount();
}

enum class Quadrant { RightBelow, LeftBelow, LeftAbove, Otherwise };

struct RecursiveRow {
    Side end1, end2;
    Shift shift;
    Corner corner;
};

// Indexed by quadrant, then by whether the connector is the first of its pair (0 no, 1 yes). The
// two connectors of a pair take different sides so they never overlap.
// clang-format off
constexpr RecursiveRow kRecursiveRows[4][2] = {
    // second of the pair                                        first of the pair
    {{Side::Right, Side::Top,   {0, -1, 0, -1}, C::AboveRight},  {Side::Bottom, Side::Left,   {1, 0, 1, 0},   C::BelowLeft}},   // right and below
    {{Side::Left,  Side::Top,   {0, 1, 0, 1},   C::AboveLeft},   {Side::Bottom, Side::Right,  {-1, 0, -1, 0}, C::BelowRight}},  // left and below
    {{Side::Top,   Side::Right, {-1, 0, -1, 0}, C::AboveRight},  {Side::Left,   Side::Bottom, {0, -1, 0, -1}, C::BelowLeft}},   // left and above
    {{Side::Top,   Side::Left,  {1, 0, 1, 0},   C::AboveLeft},   {Side::Right,  Side::Bottom, {0, -1, 0, -1}, C::BelowRight}},  // otherwise
};
// clang-format on

// Strict comparisons: a relationship level with the entity on either axis falls through to
// Otherwise.
Quadrant quadrantOf(Point relationship, Point entity) {
    if (relationship.x > entity.x && relationship.y > entity.y) return Quadrant::RightBelow;
    if (relationship.x < entity.x && relationship.y > entity.y) return Quadrant::LeftBelow;
    if (relationship.x < entity.x && relationship.y < entity.y) return Quadrant::LeftAbove;
    return Quadrant::Otherwise;
}

// Of two adjacent connectors with the same tag the lower index is the first of the pair. Only the
// immediate neighbours count, the one below first; hidden or missing neighbours are ignored, so a
// connector whose partner was deleted is laid out as a second one.
bool isFirstOfPair(const Diagram& diagram, int k) {
    const Connector& connector = diagram.connector(k);
    for (const int i : {k - 1, k + 1}) {
        if (i < 1 || i >= diagram.connectorCount()) continue;
        const Connector& neighbour = diagram.connector(i);
        if (!neighbour.Line1.Visible) continue;
        if (neighbour.joins(connector.first, connector.second)) return i > k;
    }
    return false;
}

}  // namespace

void PlaceLine(Diagram& diagram, qint16 EntityIndex, qint16 AttIndex, Line& LineX, Label& MN,
               bool Is2nd) {
    if (!hasElement(diagram, EntityIndex) || !hasElement(diagram, AttIndex)) return;
    const Diagram& model = diagram;  // the elements are only read
    const Element& first = model.element(EntityIndex);
    const Element& second = model.element(AttIndex);
    const int offset = Is2nd ? diagram.settings.DoubleLineWidth : 0;

    // Strictly less only: equal distances keep the earlier pair, and pair 0 stands when nothing
    // comes below the starting best.
    qint64 best = 1000000000;
    int choice = 0;
    for (int p = 0; p < 12; ++p) {
        const qint64 distance = storedSquaredDistance(sideMidpoint(first, kPairs[p].end1),
                                                      sideMidpoint(second, kPairs[p].end2));
        if (distance < best) {
            best = distance;
            choice = p;
        }
    }

    const CandidatePair& pair = kPairs[choice];
    setEnds(LineX, sideMidpoint(first, pair.end1), sideMidpoint(second, pair.end2), pair.shift,
            offset);
    if (diagram.settings.MNPosition == 0)
        putLabel(MN, LineX.X1, LineX.Y1, cornerFor(pair.atEnd1, LineX));
    else
        putLabel(MN, LineX.X2, LineX.Y2, cornerFor(pair.atEnd2, LineX));
}

void PlaceRecursiveLine(Diagram& diagram, qint16 EntityIndex, qint16 AttIndex, qint16 LineIndex,
                        Label& MN, Label& Description, bool Is2nd) {
    if (!diagram.isConnector(LineIndex)) return;
    if (!hasElement(diagram, EntityIndex) || !hasElement(diagram, AttIndex)) return;
    const Diagram& model = diagram;  // the elements are only read
    const Element& entity = model.element(EntityIndex);
    const Element& relationship = model.element(AttIndex);

    const bool first = isFirstOfPair(diagram, LineIndex);
    Connector& connector = diagram.connector(LineIndex);
    Line& line = Is2nd ? connector.Line2 : connector.Line1;
    if (Is2nd) line.Visible = true;
    const int offset = Is2nd ? diagram.settings.DoubleLineWidth : 0;

    const Quadrant quadrant = quadrantOf(centre(relationship), centre(entity));
    const RecursiveRow& row = kRecursiveRows[int(quadrant)][first ? 1 : 0];
    setEnds(line, sideMidpoint(entity, row.end1), sideMidpoint(relationship, row.end2), row.shift,
            offset);

    if (diagram.settings.MNPosition == 0)
        putLabel(MN, line.X1, line.Y1, row.corner);
    else
        putLabel(MN, line.X2, line.Y2, row.corner);
    putLabel(Description, (line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2, row.corner);
}
