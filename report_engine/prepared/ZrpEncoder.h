#pragma once

#include "report_engine/prepared/ZrpStream.h"
#include "report_engine/prepared/ZrpTextNumbers.h"

class TfrxPreviewPages;
class TfrxPreparedPage;

// Prepared pages in the layout of ".zrp" files, as the stream inside them holds it:
//   the source pages as XML (its length, then the text);
//   each page preceded by 1: its source page, its logical number, the number of its
//   objects and the objects: the alias number, the mask of what differs from the
//   source object, the differing numbers, and for a text either 0 followed by a new
//   text (which takes the next text number) or 1 + the number of a text given before;
//   0 after the last page.
// Texts thus come where they are first used: a page never refers forward, so pages
// can be written while later ones are still being prepared, and each distinct text
// is stored once.
class TZrpEncoder {
public:
    void sourcePages(const TfrxPreviewPages& pages);
    void page(const TfrxPreviewPages& pages, const TfrxPreparedPage& page);
    void end() { FOut.number(0); }
    TZrpWriter& out() { return FOut; }

private:
    TZrpWriter FOut;
    TZrpTextNumbers FFileNumbers;
    int FTextsWritten = 0;
};
