#ifndef IWIFIPROTOCOL_H
#define IWIFIPROTOCOL_H

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QVariant>

// Bytes of the Wi-Fi camera's control link: command packets, reply fields and the
// resolution index table. Pure functions, so both threads and the tests can use them.
class IWifiProtocol
{
public:
    enum TCPCMD {
        AutoFocus = 1,
        TopLamp = 2,
        WallLamp = 3,
        LampQuery = 4,
        SetEncode = 5,
        QueryEncode = 6,
        SetImageQuality = 7,
        QueryImageQuality = 8,
        QueryDefaultImageQuality = 9,
        TakePhoto = 10,
    };

    // Largest photo the camera is believed to send; longer lengths are malformed.
    static constexpr int MaxPhotoBytes = 32 * 1024 * 1024;
    // Largest photo picture accepted before decoding: the camera's biggest size, plus a
    // small margin for encoders that round up to whole blocks.
    static QSize maxPhotoSize();
    // Hex dumps in log lines are cut to this many bytes.
    static constexpr int MaxLoggedBytes = 64;

    static QByteArray bindRequest();
    // Client id the camera uses for notices nobody asked for.
    static QByteArray otherAppClientId();

    // One command: client id, the command's 6-byte template, and for commands 2, 3, 5
    // and 7 the payload's bytes. Any other command value gives the payload alone.
    static QByteArray packet(const QByteArray& clientId, int cmd, const QVariant& payload);

    // One-byte index of a size the camera offers; empty when it offers no such size.
    static QByteArray resolutionToCmd(const QVariant& size);
    // Size (QSizeF) of a one-byte index; an invalid QVariant for any other byte string.
    static QVariant cmdToResolution(const QByteArray& index);
    static const QList<QSizeF>& supportedResolutions();

    // Bytes read as one hexadecimal number; little-endian bytes are reversed first.
    // Numbers above INT_MAX, and bytes that are no number, give 0.
    static int byteAraryToInt(QByteArray bytes, bool bigEndian);

    // A control value as one block byte. False (and nothing written) outside 0..255.
    static bool valueToBlockByte(const QVariant& value, QByteArray* byte);

    // Field of a message cut out by position; shorter or empty past the end.
    static QByteArray field(const QByteArray& message, int pos, int len);
    static QByteArray replyId(const QByteArray& m) { return field(m, 0, 2); }
    // A photo command (code 09 00 after the client id).
    static bool isPhotoCommand(const QByteArray& m) { return field(m, 2, 2) == QByteArray::fromHex("0900"); }
    static QByteArray replyCode(const QByteArray& m) { return field(m, 2, 2); }
    static QByteArray replyState(const QByteArray& m) { return field(m, 4, 1); }

    // Hex text for log lines, at most MaxLoggedBytes bytes of it.
    static QString hexForLog(const QByteArray& bytes);
};

#endif
