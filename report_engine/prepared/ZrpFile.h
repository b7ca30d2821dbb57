#pragma once

#include <QString>
#include <memory>

class QIODevice;
class TfrxPreviewPages;

// Prepared reports saved to and loaded from ".zrp" files: a signature followed by the
// zlib-compressed source pages (as XML) and every prepared page's differences.
// Loading checks everything it reads and throws EfrxError with a readable message
// for a damaged or hostile file; it never returns half-loaded pages.
namespace frxZrp {
void save(const TfrxPreviewPages& pages, QIODevice& device);
std::unique_ptr<TfrxPreviewPages> load(QIODevice& device);
void saveToFile(const TfrxPreviewPages& pages, const QString& fileName);
std::unique_ptr<TfrxPreviewPages> loadFromFile(const QString& fileName);
void writeSignature(QIODevice& device);
} // namespace frxZrp
