#pragma once
// A small JSON reader for tests that check the files the program writes. Strings come back as 8-bit
// text: a \u escape below 0x100 becomes that byte (Latin-1, as Windows-1252 from 0xA0 up), any other '?'.

#include <charconv>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace wmb::test {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind Type = Kind::Null;
    bool Flag = false;
    double Number = 0;
    std::string Text;
    std::vector<JsonValue> Items;
    std::vector<std::pair<std::string, JsonValue>> Members;

    const JsonValue& operator[](const std::string& key) const {
        for (const auto& [name, value] : Members) {
            if (name == key) return value;
        }
        throw std::out_of_range("no member " + key);
    }
};

class JsonParser {
public:
    // The value of a whole text; nullopt when it is no JSON or something follows the value.
    static std::optional<JsonValue> Parse(const std::string& text) {
        JsonParser parser(text);
        try {
            JsonValue value = parser.Value();
            parser.SkipBlanks();
            if (parser.pos_ != text.size()) return std::nullopt;
            return value;
        } catch (const std::runtime_error&) {
            return std::nullopt;
        }
    }

private:
    explicit JsonParser(const std::string& text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && std::string(" \t\r\n").find(text_[pos_]) != std::string::npos) ++pos_;
    }
    char Next() {
        if (pos_ >= text_.size()) throw std::runtime_error("unexpected end");
        return text_[pos_++];
    }
    void Expect(const std::string& word) {
        if (text_.compare(pos_, word.size(), word) != 0) throw std::runtime_error("expected " + word);
        pos_ += word.size();
    }

    JsonValue Value() {
        SkipBlanks();
        JsonValue v;
        const char c = pos_ < text_.size() ? text_[pos_] : '\0';
        if (c == '{') {
            v.Type = JsonValue::Kind::Object;
            ++pos_;
            while (Peek() != '}') {
                if (!v.Members.empty()) Expect(",");
                SkipBlanks();
                std::string key = String();
                SkipBlanks();
                Expect(":");
                v.Members.emplace_back(std::move(key), Value());
            }
            ++pos_;
        } else if (c == '[') {
            v.Type = JsonValue::Kind::Array;
            ++pos_;
            while (Peek() != ']') {
                if (!v.Items.empty()) Expect(",");
                v.Items.push_back(Value());
            }
            ++pos_;
        } else if (c == '"') {
            v.Type = JsonValue::Kind::String;
            v.Text = String();
        } else if (c == 't' || c == 'f') {
            v.Type = JsonValue::Kind::Bool;
            v.Flag = c == 't';
            Expect(v.Flag ? "true" : "false");
        } else if (c == 'n') {
            Expect("null");
        } else {
            v.Type = JsonValue::Kind::Number;
            const auto [ptr, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), v.Number);
            if (ec != std::errc()) throw std::runtime_error("bad value");
            pos_ = static_cast<std::size_t>(ptr - text_.data());
        }
        return v;
    }
    // The next character after blanks; an error at the end of the text.
    char Peek() {
        SkipBlanks();
        if (pos_ >= text_.size()) throw std::runtime_error("unexpected end");
        return text_[pos_];
    }
    std::string String() {
        Expect("\"");
        std::string s;
        for (char c = Next(); c != '"'; c = Next()) {
            if (static_cast<unsigned char>(c) < 0x20) throw std::runtime_error("control character in a string");
            if (c != '\\') {
                s += c;
                continue;
            }
            const char e = Next();
            const std::string plain = "\"\\/bfnrt";
            const std::string meant = "\"\\/\b\f\n\r\t";
            if (const auto at = plain.find(e); at != std::string::npos) {
                s += meant[at];
            } else if (e == 'u' && pos_ + 4 <= text_.size()) {
                unsigned code = 0;
                const auto [ptr, ec] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
                if (ec != std::errc() || ptr != text_.data() + pos_ + 4) throw std::runtime_error("bad \\u escape");
                pos_ += 4;
                s += code < 0x100 ? static_cast<char>(code) : '?';
            } else {
                throw std::runtime_error("bad escape");
            }
        }
        return s;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace wmb::test
