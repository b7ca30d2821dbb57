#include "report_engine/run/ShiftTree.h"

#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/Component.h"

#include <QHash>
#include <QSet>

namespace {
struct TBox {
    TfrxComponent* FObject;
    double FTop;
    double FBottom;
    double FLeft;
    double FRight;
};

bool overlapsHorizontally(const TBox& a, const TBox& b) {
    return frxPosLess(a.FLeft, b.FRight) && frxPosLess(b.FLeft, a.FRight);
}

bool carries(const TBox& upper, const TBox& lower, const std::vector<TBox>& boxes) {
    if (&upper == &lower || frxPosLess(lower.FTop, upper.FBottom) || !overlapsHorizontally(upper, lower))
        return false;
    for (const TBox& between : boxes)
        if (&between != &upper && &between != &lower && frxPosLessOrEqual(upper.FBottom, between.FTop) &&
            frxPosLessOrEqual(between.FBottom, lower.FTop) && overlapsHorizontally(upper, between) &&
            overlapsHorizontally(between, lower))
            return false;
    return true;
}

void shiftCarried(const TBox& upper, double amount, const std::vector<TBox>& boxes,
                  QSet<const TBox*>& moved) {
    for (const TBox& lower : boxes)
        if (!moved.contains(&lower) && carries(upper, lower, boxes)) {
            moved.insert(&lower);
            lower.FObject->Top += amount;
            shiftCarried(lower, amount, boxes, moved);
        }
}
} // namespace

void frxShiftObjects(const TfrxComponent& band, const std::vector<std::pair<TfrxComponent*, double>>& grown) {
    QHash<const TfrxComponent*, double> growth;
    for (const auto& [object, amount] : grown)
        growth.insert(object, amount);
    // The tree is built from the design geometry, before anything moved.
    std::vector<TBox> boxes;
    for (const auto& child : band.Objects()) {
        const double height = child->Height - growth.value(child.get(), 0);
        boxes.push_back(
            {child.get(), child->Top, child->Top + height, child->Left, child->Left + child->Width});
    }
    for (const TBox& box : boxes)
        if (growth.contains(box.FObject)) {
            QSet<const TBox*> moved;
            shiftCarried(box, growth.value(box.FObject), boxes, moved);
        }
}
