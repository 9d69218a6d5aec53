#include "compare/json_reader.h"

#include <charconv>
#include <cmath>

namespace wmb {

namespace {

constexpr int kMaxDepth = 200;

struct Failure {
    std::string What;
    std::size_t Offset;
};

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    JsonValue Document() {
        if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
        SkipSpace();
        JsonValue value = Value(0);
        SkipSpace();
        if (pos_ < text_.size()) Fail("unexpected text after the end of the data");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) { throw Failure{what, pos_}; }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return text_[pos_]; }

    void SkipSpace() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) ++pos_;
    }

    void Expect(char c, const char* what) {
        SkipSpace();
        if (AtEnd()) Fail("unexpected end of data");
        if (Peek() != c) Fail(what);
        ++pos_;
    }

    JsonValue Value(int depth) {
        if (AtEnd()) Fail("unexpected end of data");
        // A list or an object opened here is nesting level depth + 1.
        if (depth >= kMaxDepth && (Peek() == '{' || Peek() == '[')) Fail("data nested too deeply");
        switch (Peek()) {
            case '{': return {std::make_shared<const JsonObject>(Object(depth))};
            case '[': return {std::make_shared<const JsonArray>(Array(depth))};
            case '"': return {String()};
            case 't': Word("true"); return {true};
            case 'f': Word("false"); return {false};
            case 'n': Word("null"); return {nullptr};
            default:
                if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) return {Number()};
                Fail("unexpected character '" + std::string(1, Peek()) + "'");
        }
    }

    void Word(const char* word) {
        for (const char* c = word; *c; ++c, ++pos_) {
            if (AtEnd()) Fail("unexpected end of data");
            if (Peek() != *c) Fail("unknown word (true, false or null expected)");
        }
    }

    JsonObject Object(int depth) {
        JsonObject members;
        ++pos_;
        SkipSpace();
        if (!AtEnd() && Peek() == '}') {
            ++pos_;
            return members;
        }
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("unexpected end of data");
            if (Peek() != '"') Fail("member name expected");
            std::string name = String();
            Expect(':', "':' expected after a member name");
            SkipSpace();
            members.emplace_back(std::move(name), Value(depth + 1));
            SkipSpace();
            if (AtEnd()) Fail("unexpected end of data");
            if (Peek() == '}') {
                ++pos_;
                return members;
            }
            if (Peek() != ',') Fail("',' or '}' expected");
            ++pos_;
        }
    }

    JsonArray Array(int depth) {
        JsonArray items;
        ++pos_;
        SkipSpace();
        if (!AtEnd() && Peek() == ']') {
            ++pos_;
            return items;
        }
        for (;;) {
            SkipSpace();
            items.push_back(Value(depth + 1));
            SkipSpace();
            if (AtEnd()) Fail("unexpected end of data");
            if (Peek() == ']') {
                ++pos_;
                return items;
            }
            if (Peek() != ',') Fail("',' or ']' expected");
            ++pos_;
        }
    }

    unsigned Hex4() {
        unsigned code = 0;
        for (int i = 0; i < 4; ++i, ++pos_) {
            if (AtEnd()) Fail("unexpected end of data");
            const char c = Peek();
            code <<= 4;
            if (c >= '0' && c <= '9') code |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') code |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') code |= static_cast<unsigned>(c - 'A' + 10);
            else Fail("four hexadecimal digits expected after \\u");
        }
        return code;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // \uXXXX, with a following low surrogate for a high one; a lone surrogate becomes U+FFFD.
    unsigned Escape16() {
        const unsigned code = Hex4();
        if (code < 0xD800 || code > 0xDFFF) return code;
        if (code <= 0xDBFF && text_.compare(pos_, 2, "\\u") == 0) {
            const std::size_t back = pos_;
            pos_ += 2;
            const unsigned low = Hex4();
            if (low >= 0xDC00 && low <= 0xDFFF) return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            pos_ = back;
        }
        return 0xFFFD;
    }

    std::string String() {
        std::string out;
        ++pos_;
        for (;;) {
            if (AtEnd()) Fail("unexpected end of data in a string");
            const char c = Peek();
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
            if (c != '\\') {
                out += c;
                ++pos_;
                continue;
            }
            ++pos_;
            if (AtEnd()) Fail("unexpected end of data in a string");
            const char e = Peek();
            ++pos_;
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': AppendUtf8(out, Escape16()); break;
                default: --pos_; Fail("unknown escape '\\" + std::string(1, e) + "' in a string");
            }
        }
    }

    void Digits() {
        if (AtEnd()) Fail("unexpected end of data in a number");
        if (Peek() < '0' || Peek() > '9') Fail("digit expected in a number");
        while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++pos_;
    }

    double Number() {
        const std::size_t start = pos_;
        if (Peek() == '-') ++pos_;
        if (!AtEnd() && Peek() == '0') ++pos_;
        else Digits();
        if (!AtEnd() && Peek() == '.') {
            ++pos_;
            Digits();
        }
        if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
            ++pos_;
            if (!AtEnd() && (Peek() == '+' || Peek() == '-')) ++pos_;
            Digits();
        }
        double value = 0;
        const auto result = std::from_chars(text_.data() + start, text_.data() + pos_, value);
        if (result.ec != std::errc() || !std::isfinite(value)) {
            pos_ = start;
            Fail("number out of range");
        }
        return value;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace

const JsonArray* JsonValue::Array() const {
    const auto* list = std::get_if<std::shared_ptr<const JsonArray>>(&Data);
    return list ? list->get() : nullptr;
}

const JsonObject* JsonValue::Object() const {
    const auto* members = std::get_if<std::shared_ptr<const JsonObject>>(&Data);
    return members ? members->get() : nullptr;
}

const JsonValue* JsonValue::Member(const std::string& name) const {
    if (const JsonObject* members = Object()) {
        for (const auto& [key, value] : *members)
            if (key == name) return &value;
    }
    return nullptr;
}

std::string JsonError::Text() const {
    return What + " at line " + std::to_string(Line) + ", column " + std::to_string(Column);
}

JsonParse ParseJson(const std::string& text) {
    JsonParse parse;
    try {
        parse.Value = std::make_unique<JsonValue>(Parser(text).Document());
    } catch (const Failure& failure) {
        parse.Error.What = failure.What;
        for (std::size_t i = 0; i < failure.Offset && i < text.size(); ++i) {
            if (text[i] == '\n') {
                ++parse.Error.Line;
                parse.Error.Column = 1;
            } else {
                ++parse.Error.Column;
            }
        }
    }
    return parse;
}

}  // namespace wmb
