#pragma once

class TfrxReport;
class TfrxPreviewPages;

// The preview control a report shows its pages in. A run tells it when it starts,
// when each page begins (its index) and when it stops; exports lock it.
class TfrxCustomPreview {
public:
    virtual ~TfrxCustomPreview() = default;
    virtual void Init(TfrxReport* report, TfrxPreviewPages* pages) = 0;
    // The page shown now, from 1.
    virtual int PageNo() const = 0;
    virtual void InternalOnProgressStart() {}
    virtual void InternalOnProgress(int) {}
    virtual void InternalOnProgressStop() {}
    virtual void Lock() {}
    virtual void Unlock() {}
};
