#pragma once
// The answers the core gives the page, written as JSON text. Only what the
// answers need: objects and arrays built member by member, texts escaped.

#include <string>
#include <string_view>

class JsonText {
  public:
    JsonText& beginObject();
    JsonText& endObject();
    JsonText& beginArray();
    JsonText& endArray();
    /// A member name inside an object; the value follows.
    JsonText& key(std::string_view name);
    JsonText& value(std::string_view text);
    JsonText& value(const char* text) { return value(std::string_view(text)); }
    JsonText& value(long long number);
    JsonText& value(int number) { return value(static_cast<long long>(number)); }
    JsonText& value(std::size_t number) { return value(static_cast<long long>(number)); }
    JsonText& value(bool flag);

    [[nodiscard]] const std::string& text() const { return m_text; }

  private:
    void separate();

    std::string m_text;
    bool m_first = true;
};
