#pragma once

#include <QByteArray>
#include <QString>

// The standard security handler of PDF, revision 3, with a 128-bit RC4 key:
// the owner and user values of the file and the encryption of its strings and
// streams, each under a key of its own object.
class TfrxPDFEncryption {
public:
    // permissions: the bits print 1, modify 2, copy 4, annotate 8; fileId: the
    // first element of the file identifier, 16 bytes.
    TfrxPDFEncryption(const QString& ownerPassword, const QString& userPassword, int permissions,
                      const QByteArray& fileId);

    const QByteArray& OwnerValue() const { return FOwner; }
    const QByteArray& UserValue() const { return FUser; }
    int Permissions() const { return FPermissions; }
    QByteArray Encrypt(int objectNumber, const QByteArray& data) const;

private:
    QByteArray FKey;
    QByteArray FOwner;
    QByteArray FUser;
    int FPermissions;
};

// RC4 over data with the key.
QByteArray frxRC4(const QByteArray& key, const QByteArray& data);
// A PDF literal string: the bytes in brackets, line ends, brackets and backslashes escaped.
QByteArray frxPdfLiteral(const QByteArray& bytes);
