#include "platform/mail/Maildir.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cctype>

namespace plyx::mail {

namespace {

// Decodes one encoded word's text from its charset; unknown charsets are
// read as Latin-1, which never fails and keeps ASCII intact.
std::string toUtf8(const QByteArray& bytes, const std::string& charset) {
    QStringDecoder decoder(charset.c_str());
    if (!decoder.isValid()) return QString::fromLatin1(bytes).toStdString();
    return QString(decoder(bytes)).toStdString();
}

QByteArray decodeQ(const std::string& text) {
    QByteArray out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '_') {
            out += ' ';
        } else if (c == '=' && i + 2 < text.size() + 0 && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string decodeHeader(const std::string& value) {
    std::string out;
    std::size_t pos = 0;
    bool lastWasWord = false;
    while (pos < value.size()) {
        const auto start = value.find("=?", pos);
        if (start == std::string::npos) break;
        // =?charset?encoding?text?=
        const auto q1 = value.find('?', start + 2);
        const auto q2 = q1 == std::string::npos ? q1 : value.find('?', q1 + 1);
        const auto end = q2 == std::string::npos ? q2 : value.find("?=", q2 + 1);
        if (end == std::string::npos || q2 != q1 + 2) {
            out += value.substr(pos, start + 2 - pos);
            pos = start + 2;
            lastWasWord = false;
            continue;
        }
        const std::string between = value.substr(pos, start - pos);
        // White space between two encoded words is not part of the text.
        if (!(lastWasWord && between.find_first_not_of(" \t") == std::string::npos)) out += between;
        std::string charset = value.substr(start + 2, q1 - start - 2);
        if (const auto star = charset.find('*'); star != std::string::npos) charset.resize(star);  // language tag
        const char encoding = static_cast<char>(std::toupper(static_cast<unsigned char>(value[q1 + 1])));
        const std::string text = value.substr(q2 + 1, end - q2 - 1);
        if (encoding == 'B')
            out += toUtf8(QByteArray::fromBase64(QByteArray::fromStdString(text)), charset);
        else if (encoding == 'Q')
            out += toUtf8(decodeQ(text), charset);
        else
            out += value.substr(start, end + 2 - start);
        pos = end + 2;
        lastWasWord = true;
    }
    out += value.substr(pos);
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
