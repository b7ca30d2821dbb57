#pragma once

// Sets a variable for the length of a scope and restores it on leaving, also
// when an event handler called inside the scope throws.
template <typename T> class TScopedValue {
public:
    TScopedValue(T& target, T value) : FTarget(target), FSaved(target) { target = value; }
    ~TScopedValue() { FTarget = FSaved; }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

private:
    T& FTarget;
    T FSaved;
};
