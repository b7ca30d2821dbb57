#include "report_engine/export/pdf/PDFEncryption.h"

#include "report_engine/export/common/CodePage.h"

#include <QCryptographicHash>
#include <array>
#include <utility>

namespace {
const QByteArray Padding =
    QByteArray::fromHex("28BF4E5E4E758A4164004E56FFFA01082E2E00B6D0683E802F0CA9FE6453697A");
constexpr int KeyLength = 16;

QByteArray md5(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Md5);
}

// A password as the handler takes it: its bytes in the code page, cut or padded to 32.
QByteArray padded(const QString& password) {
    return (frxToAnsi(password).left(32) + Padding).left(32);
}

// Revision 3 runs RC4 twenty times, the key changed by the round each time.
QByteArray twentyRounds(const QByteArray& key, QByteArray data) {
    for (int round = 0; round < 20; ++round) {
        QByteArray roundKey = key;
        for (char& byte : roundKey)
            byte = static_cast<char>(byte ^ round);
        data = frxRC4(roundKey, data);
    }
    return data;
}

QByteArray littleEndian32(qint32 value) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((static_cast<quint32>(value) >> (8 * i)) & 0xFF);
    return bytes;
}
} // namespace

QByteArray frxRC4(const QByteArray& key, const QByteArray& data) {
    std::array<quint8, 256> state;
    for (int i = 0; i < 256; ++i)
        state[static_cast<size_t>(i)] = static_cast<quint8>(i);
    quint8 j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<quint8>(j + state[static_cast<size_t>(i)] + static_cast<quint8>(key[i % key.size()]));
        std::swap(state[static_cast<size_t>(i)], state[j]);
    }
    QByteArray out = data;
    quint8 x = 0;
    quint8 y = 0;
    for (char& byte : out) {
        x = static_cast<quint8>(x + 1);
        y = static_cast<quint8>(y + state[x]);
        std::swap(state[x], state[y]);
        byte = static_cast<char>(byte ^ state[static_cast<quint8>(state[x] + state[y])]);
    }
    return out;
}

QByteArray frxPdfLiteral(const QByteArray& bytes) {
    QByteArray literal = "(";
    for (const char byte : bytes) {
        switch (byte) {
        case '\n':
            literal += "\\n";
            break;
        case '\r':
            literal += "\\r";
            break;
        case '(':
        case ')':
        case '\\':
            literal += '\\';
            literal += byte;
            break;
        default:
            literal += byte;
        }
    }
    return literal + ')';
}

TfrxPDFEncryption::TfrxPDFEncryption(const QString& ownerPassword, const QString& userPassword,
                                     int permissions, const QByteArray& fileId)
    : FPermissions(4 * permissions - 64) {
    // The owner value: the user password under a key made from the owner's.
    QByteArray ownerKey = md5(padded(ownerPassword.isEmpty() ? userPassword : ownerPassword));
    for (int i = 0; i < 50; ++i)
        ownerKey = md5(ownerKey);
    FOwner = twentyRounds(ownerKey.left(KeyLength), padded(userPassword));
    // The document key, from the user password, the owner value, the permissions and the file.
    QByteArray key = md5(padded(userPassword) + FOwner + littleEndian32(FPermissions) + fileId);
    for (int i = 0; i < 50; ++i)
        key = md5(key.left(KeyLength));
    FKey = key.left(KeyLength);
    FUser = twentyRounds(FKey, md5(Padding + fileId)) + QByteArray(16, '\0');
}

QByteArray TfrxPDFEncryption::Encrypt(int objectNumber, const QByteArray& data) const {
    QByteArray objectKey = FKey;
    for (int i = 0; i < 3; ++i)
        objectKey += static_cast<char>((objectNumber >> (8 * i)) & 0xFF);
    objectKey += QByteArray(2, '\0');
    return frxRC4(md5(objectKey).left(KeyLength), data);
}
