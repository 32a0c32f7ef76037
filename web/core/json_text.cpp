#include "json_text.h"

#include <array>

void JsonText::separate() {
    if (!m_first) m_text += ',';
    m_first = false;
}

JsonText& JsonText::beginObject() {
    separate();
    m_text += '{';
    m_first = true;
    return *this;
}

JsonText& JsonText::endObject() {
    m_text += '}';
    m_first = false;
    return *this;
}

JsonText& JsonText::beginArray() {
    separate();
    m_text += '[';
    m_first = true;
    return *this;
}

JsonText& JsonText::endArray() {
    m_text += ']';
    m_first = false;
    return *this;
}

JsonText& JsonText::key(std::string_view name) {
    value(name);
    m_text += ':';
    m_first = true;
    return *this;
}

JsonText& JsonText::value(std::string_view text) {
    separate();
    constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                        '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    m_text += '"';
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            m_text += '\\';
            m_text += c;
        } else if (code < 0x20) {
            m_text += "\\u00";
            m_text += kHex[code >> 4];
            m_text += kHex[code & 0x0F];
        } else {
            m_text += c;
        }
    }
    m_text += '"';
    return *this;
}

JsonText& JsonText::value(long long number) {
    separate();
    m_text += std::to_string(number);
    return *this;
}

JsonText& JsonText::value(bool flag) {
    separate();
    m_text += flag ? "true" : "false";
    return *this;
}
