#pragma once

#include <utility>
#include <vector>

class TfrxComponent;

// Moves down what lies below objects of a band that grew. An object is carried by
// another when it lies wholly below it, overlaps it horizontally, and no object
// between them overlaps both; it then moves with it, and so does what it carries.
// grown lists each object that grew with the amount it grew by.
void frxShiftObjects(const TfrxComponent& band, const std::vector<std::pair<TfrxComponent*, double>>& grown);
