#include "service/isettingstext.h"

#include <QDataStream>
#include <QStringList>
#include <QVector>

#include <cstring>

// The rules below follow QSettings' own ini reader and writer line by line, so that
// both read the same values from the same bytes.
namespace ISettingsText {

namespace {
const char kHexDigits[] = "0123456789ABCDEF";

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// One logical line: quotes and escaped line ends continue it, ";" starts a comment.
// equals is the first "=" outside quotes, or -1.
bool nextLine(const QByteArray& data, int& pos, int& start, int& length, int& equals)
{
    const int n = data.size();
    bool inQuotes = false;
    equals = -1;
    start = pos;
    while (start < n && isSpace(data.at(start)))
        ++start;
    int i = start;
    while (i < n) {
        const char ch = data.at(i++);
        if (ch == '=') {
            if (!inQuotes && equals == -1)
                equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < n) {
                const char first = data.at(i++);
                if (i < n) {
                    const char second = data.at(i);
                    if ((first == '\n' && second == '\r') || (first == '\r' && second == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == start + 1) {
                while (i < n && data.at(i) != '\n' && data.at(i) != '\r')
                    ++i;
                while (i < n && isSpace(data.at(i)))
                    ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    length = i - start;
    return length > 0;
}

QString unescapeKey(const QByteArray& key)
{
    if (key.indexOf('%') < 0 && key.indexOf('\\') < 0)
        return QString::fromLatin1(key);
    QString result;
    const int to = key.size();
    int i = 0;
    while (i < to) {
        const char ch = key.at(i);
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == to - 1) {
            result += QLatin1Char(ch);
            ++i;
            continue;
        }
        const bool wide = key.at(i + 1) == 'U';
        const int first = i + (wide ? 2 : 1);
        const int digits = wide ? 4 : 2;
        bool ok = false;
        const int code = first + digits <= to ? key.mid(first, digits).toInt(&ok, 16) : 0;
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(ushort(code));
        i = first + digits;
    }
    return result;
}

// QSettings looks a key up by its path with empty parts taken out ("a//b/" is asked for
// as "a/b"), but keeps each key under the path it was read with: one with an empty part
// is never found.
bool isReachableKey(const QString& key)
{
    return !key.isEmpty() && !key.startsWith(QLatin1Char('/')) && !key.endsWith(QLatin1Char('/'))
        && !key.contains(QLatin1String("//"));
}

// No setting has a path near this long. Longer ones are skipped so that a long section
// name repeated into every key of its section cannot make reading quadratic.
const int kMaxKeyLength = 1024;

void chopTrailingSpaces(QString& s, int limit)
{
    int n = s.size();
    while (n > limit && (s.at(n - 1) == QLatin1Char(' ') || s.at(n - 1) == QLatin1Char('\t')))
        --n;
    s.truncate(n);
}

// The value between from and to; isList when an unquoted comma makes it a list.
QString unescapeValue(const QByteArray& s, int from, int to, bool* isList)
{
    static const char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                       {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                       {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QString result;
    bool inQuotes = false;
    bool quoted = false;
    bool chopAtEnd = true;
    *isList = false;
    int i = from;
    const auto skipSpaces = [&] {
        while (i < to && (s.at(i) == ' ' || s.at(i) == '\t'))
            ++i;
    };
    skipSpaces();
    int chopLimit = 0;
    while (i < to) {
        const char ch = s.at(i);
        if (ch == '\\') {
            ++i;
            if (i >= to) {
                chopAtEnd = false;
                break;
            }
            const char e = s.at(i++);
            bool simple = false;
            for (const auto& escape : kEscapes) {
                if (e == escape[0]) {
                    result += QLatin1Char(escape[1]);
                    simple = true;
                    break;
                }
            }
            if (!simple && (e == 'x' || (e >= '0' && e <= '7'))) {
                const bool hex = e == 'x';
                if (hex && i >= to) {
                    chopAtEnd = false;
                    break;
                }
                if (!hex || isHexDigit(s.at(i))) {
                    quint16 code = hex ? 0 : quint16(e - '0');
                    while (i < to && (hex ? isHexDigit(s.at(i)) : (s.at(i) >= '0' && s.at(i) <= '7'))) {
                        code = quint16((code << (hex ? 4 : 3)) + (hex ? hexValue(s.at(i)) : s.at(i) - '0'));
                        ++i;
                    }
                    result += QChar(code);
                    if (i >= to) {
                        chopAtEnd = false;
                        break;
                    }
                }
            } else if (!simple && (e == '\n' || e == '\r')) {
                if (i < to && (s.at(i) == '\n' || s.at(i) == '\r') && s.at(i) != e)
                    ++i;
            }
            // Any other escaped character is dropped.
            chopLimit = result.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
                chopLimit = result.size();
            }
        } else if (ch == ',' && !inQuotes) {
            *isList = true;
            result.clear();
            quoted = false;
            ++i;
            skipSpaces();
            chopLimit = 0;
        } else {
            int j = i + 1;
            while (j < to && s.at(j) != '\\' && s.at(j) != '"' && s.at(j) != ',')
                ++j;
            result += QString::fromUtf8(s.constData() + i, j - i);
            i = j;
        }
    }
    if (chopAtEnd && !quoted)
        chopTrailingSpaces(result, chopLimit);
    return result;
}

void appendEscapedKey(const QString& key, QByteArray& out)
{
    for (const QChar c : key) {
        const ushort ch = c.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_'
                   || ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xff) {
            out += '%';
            out += kHexDigits[ch / 16];
            out += kHexDigits[ch % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHexDigits[(ch >> shift) & 0xf];
        }
    }
}

void appendEscapedValue(QString value, QByteArray& out)
{
    // QSettings marks its own forms with "@": a text of that shape is told apart.
    if (value.contains(QChar(0)))
        value = QStringLiteral("@String(") + value + QLatin1Char(')');
    else if (value.startsWith(QLatin1Char('@')))
        value.prepend(QLatin1Char('@'));

    const int start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const QChar c : value) {
        const ushort ch = c.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        // "\x4" followed by "1" would read as "\x41".
        if (escapeNextIfDigit && ch < 0x80 && isHexDigit(char(ch))) {
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0': out += "\\0"; escapeNextIfDigit = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += char(ch);
            break;
        default:
            if (ch <= 0x1f || ch >= 0x7f) {
                out += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else {
                out += char(ch);
            }
        }
    }
    if (needsQuotes || (out.size() > start && (out.at(start) == ' ' || out.endsWith(' ')))) {
        out.insert(start, '"');
        out += '"';
    }
}
}

Entries parse(const QByteArray& raw)
{
    const QByteArray bom("\xef\xbb\xbf");
    const QByteArray data = raw.startsWith(bom) ? raw.mid(bom.size()) : raw;
    // QSettings reads a file section by section in the order of the sections' names (the
    // lines of sections of one name in file order), so that is the order in which a later
    // key replaces an earlier one of the same path.
    struct Line
    {
        int start;
        int length;
        int equals;
    };
    QMap<QString, QVector<Line>> sections;
    QVector<Line>* lines = &sections[QString()];
    // The last section header's name: a header repeated is the same section.
    QByteArray lastName;
    bool afterHeader = false;
    int pos = 0, start = 0, length = 0, equals = -1;
    while (nextLine(data, pos, start, length, equals)) {
        if (data.at(start) == '[') {
            // Only this line is searched for the closing bracket.
            const char* from = data.constData() + start;
            const char* close = static_cast<const char*>(memchr(from, ']', size_t(length)));
            const int end = close ? start + int(close - from) : start + length;
            const QByteArray name = data.mid(start + 1, end - start - 1).trimmed();
            if (afterHeader && name == lastName)
                continue;
            afterHeader = true;
            lastName = name;
            QString section;
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.mid(1)) + QLatin1Char('/');
            else
                section = unescapeKey(name) + QLatin1Char('/');
            lines = &sections[section];
            continue;
        }
        if (equals >= 0)
            lines->append({start, length, equals});
    }

    Entries entries;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        for (const Line& line : section.value()) {
            int keyEnd = line.equals;
            while (keyEnd > line.start && (data.at(keyEnd - 1) == ' ' || data.at(keyEnd - 1) == '\t'))
                --keyEnd;
            const QString name = unescapeKey(data.mid(line.start, keyEnd - line.start));
            if (section.key().size() + name.size() > kMaxKeyLength)
                continue;
            const QString key = section.key() + name;
            if (!isReachableKey(key))
                continue;
            bool isList = false;
            const QString value = unescapeValue(data, line.equals + 1, line.start + line.length, &isList);
            // QSettings reads a list as no text at all.
            if (isList)
                entries.remove(key);
            else
                entries.insert(key, value);
        }
    }
    return entries;
}

QByteArray serialize(const Entries& entries)
{
    QByteArray out;
    // Keys without a section first, under "[General]", as QSettings writes them.
    QByteArray current;
    bool any = false;
    for (const bool sectioned : {false, true}) {
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            const int slash = it.key().indexOf(QLatin1Char('/'));
            if ((slash >= 0) != sectioned)
                continue;
            QByteArray header("General");
            if (sectioned) {
                const QString section = it.key().left(slash);
                // A section really named "General" is told apart from the keys without one.
                header = section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0 ? "%" : "";
                appendEscapedKey(section, header);
            }
            if (!any || header != current) {
                if (any)
                    out += '\n';
                out += '[' + header + "]\n";
                current = header;
                any = true;
            }
            appendEscapedKey(sectioned ? it.key().mid(slash + 1) : it.key(), out);
            out += '=';
            appendEscapedValue(it.value(), out);
            out += '\n';
        }
    }
    return out;
}

bool plainValue(const QString& value, QString* text)
{
    if (value.startsWith(QLatin1Char('@')) && value.endsWith(QLatin1Char(')'))) {
        if (value.startsWith(QLatin1String("@ByteArray("))) {
            *text = QString::fromUtf8(value.mid(11, value.size() - 12).toLatin1());
            return true;
        }
        if (value.startsWith(QLatin1String("@String("))) {
            *text = value.mid(8, value.size() - 9);
            return true;
        }
        for (const char* mark : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
            if (value.startsWith(QLatin1String(mark)))
                return false;
        }
        if (value == QLatin1String("@Invalid()"))
            return false;
    }
    *text = value.startsWith(QLatin1String("@@")) ? value.mid(1) : value;
    return true;
}

bool variantColor(const QString& value, QColor* color)
{
    if (!value.startsWith(QLatin1String("@Variant(")) || !value.endsWith(QLatin1Char(')')))
        return false;
    const QString inner = value.mid(9, value.size() - 10);
    // The record as QDataStream (Qt 4.0 format) wrote it: type 67 (QColor), then the
    // colour's own 11 bytes: its model, and alpha and four components as 16-bit numbers.
    // Only that fixed-size part goes through QColor's stream operator, so the colour is
    // exactly the one QSettings reads; QVariant's loader, which trusts lengths, never runs.
    if (inner.size() != 15)
        return false;
    for (const QChar c : inner) {
        if (c.unicode() > 0xff)
            return false;
    }
    const QByteArray record = inner.toLatin1();
    if (!record.startsWith(QByteArray("\0\0\0\x43", 4)))
        return false;
    const auto word = [&record](int at) { return (int(uchar(record.at(at))) << 8) | int(uchar(record.at(at + 1))); };
    const int model = uchar(record.at(4));
    const int hue = word(7);
    switch (model) {
    case QColor::Rgb:
    case QColor::Cmyk:
        break;
    case QColor::Hsv:
    case QColor::Hsl:
        // Hue in hundredths of a degree; 0xffff for none (a grey).
        if (hue > 36000 && hue != 0xffff)
            return false;
        break;
    case QColor::ExtendedRgb:
        // Components as half floats: none may be infinite or not a number.
        for (int at = 5; at < 15; at += 2) {
            if ((word(at) & 0x7c00) == 0x7c00)
                return false;
        }
        break;
    default:
        // QColor::Invalid, or no model at all.
        return false;
    }
    QDataStream stream(record.mid(4));
    stream.setVersion(QDataStream::Qt_4_0);
    QColor decoded;
    stream >> decoded;
    if (stream.status() != QDataStream::Ok || !decoded.isValid())
        return false;
    *color = decoded;
    return true;
}

}
