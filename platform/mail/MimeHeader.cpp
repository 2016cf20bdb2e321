#include "platform/mail/Maildir.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cctype>
#include <string_view>

namespace plyx::mail {

namespace {

// Decodes one encoded word's text from its charset; unknown charsets are
// read as Latin-1, which never fails and keeps ASCII intact.
std::string toUtf8(const QByteArray& bytes, const std::string& charset) {
    QStringDecoder decoder(charset.c_str());
    if (!decoder.isValid()) return QString::fromLatin1(bytes).toStdString();
    return QString(decoder(bytes)).toStdString();
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QByteArray decodeQ(std::string_view text) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '_') {
            out += ' ';
        } else if (c == '=' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or
// values past U+10FFFF).
bool isUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        std::size_t n = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // bounds of the second byte
        if (c < 0x80) {
            ++p;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (static_cast<std::size_t>(end - p) <= n) return false;
        if (p[1] < lo || p[1] > hi) return false;
        for (std::size_t k = 2; k <= n; ++k)
            if ((p[k] & 0xC0) != 0x80) return false;
        p += n + 1;
    }
    return true;
}

// Text outside encoded words: raw 8-bit bytes that are not UTF-8 come from
// older mailers writing their own charset unlabelled, most often Latin-1.
std::string plainText(std::string_view text) {
    if (isUtf8(text)) return std::string(text);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

} // namespace

std::string decodeHeader(const std::string& value) {
    // One pass from left to right: each step either takes a whole encoded
    // word, moves past an "=?" that starts none, or ends the loop, so the
    // cost stays linear in the value's length.
    std::string out;
    std::size_t pos = 0;
    bool lastWasWord = false;
    while (pos < value.size()) {
        const auto start = value.find("=?", pos);
        if (start == std::string::npos) break;
        // =?charset?encoding?text?=
        const auto q1 = value.find('?', start + 2);
        if (q1 == std::string::npos) break;
        if (q1 + 2 >= value.size() || value[q1 + 2] != '?') {
            out += plainText(std::string_view(value).substr(pos, start + 2 - pos));
            pos = start + 2;
            lastWasWord = false;
            continue;
        }
        const auto q2 = q1 + 2;
        const auto end = value.find("?=", q2 + 1);
        // No end here means no end for any later word either.
        if (end == std::string::npos) break;
        const std::string_view between = std::string_view(value).substr(pos, start - pos);
        // White space between two encoded words is not part of the text.
        if (!(lastWasWord && between.find_first_not_of(" \t") == std::string_view::npos)) out += plainText(between);
        std::string charset = value.substr(start + 2, q1 - start - 2);
        if (const auto star = charset.find('*'); star != std::string::npos) charset.resize(star);  // language tag
        const char encoding = static_cast<char>(std::toupper(static_cast<unsigned char>(value[q1 + 1])));
        const std::string_view text = std::string_view(value).substr(q2 + 1, end - q2 - 1);
        if (encoding == 'B')
            out += toUtf8(QByteArray::fromBase64(QByteArray(text.data(), static_cast<qsizetype>(text.size()))), charset);
        else if (encoding == 'Q')
            out += toUtf8(decodeQ(text), charset);
        else
            out += plainText(std::string_view(value).substr(start, end + 2 - start));
        pos = end + 2;
        lastWasWord = true;
    }
    out += plainText(std::string_view(value).substr(pos));
    return out;
}

std::string senderName(const std::string& from) {
    auto trim = [](std::string s) {
        const auto a = s.find_first_not_of(" \t");
        const auto b = s.find_last_not_of(" \t");
        return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
    };
    std::string name = from, address;
    if (const auto lt = from.rfind('<'); lt != std::string::npos) {
        name = trim(from.substr(0, lt));
        const auto gt = from.find('>', lt);
        address = from.substr(lt + 1, gt == std::string::npos ? std::string::npos : gt - lt - 1);
    } else {
        address = trim(from);
        name.clear();
    }
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    name = trim(name);
    return name.empty() ? trim(address) : name;
}

} // namespace plyx::mail
