#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

// A TrueType font reduced to the glyphs a document uses (with the parts of
// composite glyphs and glyph 0): every other glyph is left empty, so glyph
// numbers stay as they were. The other tables are kept in their order; offsets
// and checksums are made anew. Throws EfrxError for data that is no TrueType font.
QByteArray frxSubsetTrueType(const QByteArray& font, const std::vector<quint16>& glyphs);
