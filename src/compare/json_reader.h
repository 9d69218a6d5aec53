#pragma once
// A reader of JSON text (RFC 8259): objects keep their members in the order of the text, strings are
// UTF-8 (\uXXXX escapes included), numbers are doubles.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace wmb {

struct JsonValue;
using JsonArray = std::vector<JsonValue>;
using JsonObject = std::vector<std::pair<std::string, JsonValue>>;

struct JsonValue {
    // Lists and objects are held through pointers: the value is not complete inside its own definition.
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<const JsonArray>,
                 std::shared_ptr<const JsonObject>>
        Data;

    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(Data); }
    const bool* Bool() const { return std::get_if<bool>(&Data); }
    const double* Number() const { return std::get_if<double>(&Data); }
    const std::string* String() const { return std::get_if<std::string>(&Data); }
    const JsonArray* Array() const;
    const JsonObject* Object() const;
    // The first member of that name of an object; null for anything else or a missing member.
    const JsonValue* Member(const std::string& name) const;
};

struct JsonError {
    std::string What;  // e.g. "unexpected end of data", "missing ':' after a member name"
    int Line = 1;      // 1-based, counted at LF
    int Column = 1;    // 1-based, in bytes
    // "<what> at line <line>, column <column>"
    std::string Text() const;
};

struct JsonParse {
    std::unique_ptr<JsonValue> Value;  // set when the text is one valid JSON value
    JsonError Error;                   // otherwise
};

// Leading and trailing white space and a UTF-8 byte order mark are allowed; nesting deeper than 200
// levels is an error.
JsonParse ParseJson(const std::string& text);

}  // namespace wmb
