#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

// A TrueType font reduced to the glyphs a document uses (with the parts of
// composite glyphs and glyph 0): every other glyph is left empty, so glyph
// numbers stay as they were. Of the other tables, those a reader of an embedded
// PDF font uses are kept in their order (post without its glyph names); offsets
// and checksums are made anew. Throws EfrxError for data that is no TrueType font.
QByteArray frxSubsetTrueType(const QByteArray& font, const std::vector<quint16>& glyphs);
