#pragma once

#include <QtGlobal>
#include <vector>

// One output object of a prepared page: its source clone (by alias index) and only
// the properties that differ from that clone. Children follow their band.
struct TfrxPreparedObject {
    enum TMask { mLeft = 1, mTop = 2, mWidth = 4, mHeight = 8, mText = 16, mChild = 32 };
    qint32 FAlias = -1;
    quint8 FMask = 0;
    qint32 FValues = 0; // index of the first differing number in the page's value list
    qint32 FText = -1;  // the text, when it differs, among the prepared texts
};

// The objects of a prepared page, packed one after the other: the mask, the alias
// and the text number in as few bytes as they need, the differing numbers in the
// value list in the objects' order. A long report holds millions of objects, and
// kept as structures, with their padding, they were most of its memory. Objects
// are read in order, as every output reads them. A band's objects follow it in the
// order of their aliases, so an alias that is the previous one's plus one is only
// a bit of the mask's byte.
class TfrxPreparedPage {
public:
    int FSourcePage = 0;
    int FLogicalNo = 1;
    std::vector<double> FValues;

    // Adds an object whose differing numbers were just appended to FValues.
    void add(const TfrxPreparedObject& object);
    int objectCount() const { return FCount; }
    // Gives back what growing left unused once the page is complete.
    void squeeze();

    class TIterator {
    public:
        const TfrxPreparedObject& operator*() const { return FObject; }
        const TfrxPreparedObject* operator->() const { return &FObject; }
        TIterator& operator++();
        bool operator==(const TIterator& other) const { return FAt == other.FAt; }

    private:
        friend class TfrxPreparedPage;
        TIterator(const quint8* at, const quint8* end);
        void decode();

        const quint8* FAt;
        const quint8* FEnd;
        const quint8* FNext = nullptr;
        TfrxPreparedObject FObject;
    };
    TIterator begin() const;
    TIterator end() const;

private:
    static constexpr quint8 NextAlias = 0x40; // beside the mask's bits
    std::vector<quint8> FPacked;
    int FCount = 0;
    qint32 FLastAlias = -1;
};
