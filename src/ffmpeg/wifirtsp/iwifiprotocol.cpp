#include "iwifiprotocol.h"

#include <algorithm>
#include <climits>

namespace {

// Command templates: code, two constant bytes and their complements.
const char* const kTemplates[] = {
    "01 00 02 F3 FD 0C", "02 00 02 F9 FD 06", "03 00 02 FA FD 05", "04 00 0A F0 F5 0F",
    "05 00 0B F0 F4 0F", "06 00 0B F1 F4 0E", "07 00 0B F2 F4 0D", "08 00 0B F3 F4 0C",
    "08 00 0B F4 F4 0B", "09 00 0B F5 F4 0A",
};

}

QByteArray IWifiProtocol::bindRequest()
{
    return QByteArray(4, char(0xFF));
}

QByteArray IWifiProtocol::otherAppClientId()
{
    return QByteArray::fromHex("0f0f");
}

QByteArray IWifiProtocol::packet(const QByteArray& clientId, int cmd, const QVariant& payload)
{
    if (cmd < AutoFocus || cmd > TakePhoto)
        return payload.toByteArray();
    QByteArray out = clientId;
    out += QByteArray::fromHex(QByteArray(kTemplates[cmd - 1]).replace(' ', ""));
    if (cmd == TopLamp || cmd == WallLamp || cmd == SetEncode || cmd == SetImageQuality)
        out += payload.toByteArray();
    return out;
}

const QList<QSizeF>& IWifiProtocol::supportedResolutions()
{
    static const QList<QSizeF> sizes = {
        QSizeF(320, 240),   QSizeF(480, 272),   QSizeF(640, 480),   QSizeF(800, 600),
        QSizeF(1024, 768),  QSizeF(1280, 720),  QSizeF(1280, 960),  QSizeF(1600, 1200),
        QSizeF(1920, 1080), QSizeF(2592, 1944), QSizeF(3264, 2448),
    };
    return sizes;
}

QSize IWifiProtocol::maxPhotoSize()
{
    QSizeF largest;
    for (const QSizeF& s : supportedResolutions())
        largest = largest.expandedTo(s);
    constexpr int Margin = 64;
    return largest.toSize() + QSize(Margin, Margin);
}

QByteArray IWifiProtocol::resolutionToCmd(const QVariant& size)
{
    if (!size.isValid())
        return QByteArray();
    const QSizeF s = size.toSizeF();
    const QList<QSizeF>& table = supportedResolutions();
    for (int i = 0; i < table.size(); ++i) {
        if (table.at(i) == s)
            return QByteArray(1, char(i));
    }
    return QByteArray();
}

QVariant IWifiProtocol::cmdToResolution(const QByteArray& index)
{
    const QList<QSizeF>& table = supportedResolutions();
    if (index.size() != 1 || quint8(index.at(0)) >= table.size())
        return QVariant();
    return QVariant(table.at(quint8(index.at(0))));
}

int IWifiProtocol::byteAraryToInt(QByteArray bytes, bool bigEndian)
{
    if (!bigEndian)
        std::reverse(bytes.begin(), bytes.end());
    bool ok = false;
    const qlonglong v = bytes.toHex().toLongLong(&ok, 16);
    if (!ok || v > INT_MAX || v < 0)
        return 0;
    return int(v);
}

bool IWifiProtocol::valueToBlockByte(const QVariant& value, QByteArray* byte)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < 0 || n > 255)
        return false;
    *byte = QByteArray(1, char(n));
    return true;
}

QByteArray IWifiProtocol::field(const QByteArray& message, int pos, int len)
{
    return message.mid(pos, len);
}

QString IWifiProtocol::hexForLog(const QByteArray& bytes)
{
    QString text = QString::fromLatin1(bytes.left(MaxLoggedBytes).toHex());
    if (bytes.size() > MaxLoggedBytes)
        text += QStringLiteral("...(%1 bytes)").arg(bytes.size());
    return text;
}
