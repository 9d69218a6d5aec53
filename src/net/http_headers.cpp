#include "net/http_headers.h"

#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "base/case_tables.h"
#include "base/date_time.h"

namespace wmb {
namespace {

constexpr std::string_view kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::string_view kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

int MonthOf(std::string_view word) {
    for (int m = 0; m < 12; ++m)
        if (SameTextIgnoringCase(word, kMonths[m])) return m + 1;
    return 0;
}

bool IsWeekday(std::string_view word) {
    for (auto day : kWeekdays)
        if (SameTextIgnoringCase(word, day) || SameTextIgnoringCase(word, day.substr(0, 3))) return true;
    return false;
}

// Digits only, at most maxDigits of them.
std::optional<int> Number(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ' ' || text[i] == ',' || text[i] == '-' || text[i] == '\t') {
            if (i > start) words.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return words;
}

struct TClock {
    int hour, minute, second;
};

std::optional<TClock> ClockOf(std::string_view word) {
    const std::size_t first = word.find(':');
    const std::size_t second = word.find(':', first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) return std::nullopt;
    const auto h = Number(word.substr(0, first), 2);
    const auto m = Number(word.substr(first + 1, second - first - 1), 2);
    const auto s = Number(word.substr(second + 1), 2);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 60) return std::nullopt;
    return TClock{*h, *m, *s == 60 ? 59 : *s};
}

}  // namespace

TDateTime ParseHttpDate(const std::string& text) {
    std::optional<int> day, year;
    std::optional<TClock> clock;
    int month = 0;
    std::size_t yearDigits = 0;
    const auto words = Words(text);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view w = words[i];
        if (w.find(':') != std::string_view::npos) {
            if (clock || !(clock = ClockOf(w))) return 0;
        } else if (std::isdigit(static_cast<unsigned char>(w[0]))) {
            if (!day) {
                if (!(day = Number(w, 2))) return 0;
            } else if (!year) {
                if (!(year = Number(w, 4)) || w.size() == 3) return 0;
                yearDigits = w.size();
            } else {
                return 0;
            }
        } else if (MonthOf(w) != 0 && month == 0) {
            month = MonthOf(w);
        } else if (!((i == 0 && IsWeekday(w)) || (i + 1 == words.size() && (SameTextIgnoringCase(w, "GMT") || SameTextIgnoringCase(w, "UTC"))))) {
            return 0;
        }
    }
    if (!day || !year || !clock || month == 0) return 0;
    const int fullYear = yearDigits <= 2 ? (*year < 70 ? 2000 + *year : 1900 + *year) : *year;
    if (fullYear < 1601 || *day < 1 || *day > DaysInMonth(fullYear, month)) return 0;
    return EncodeDateTime(fullYear, month, *day, clock->hour, clock->minute, clock->second, 0);
}

std::int32_t ParseStatusCode(const std::string& text) {
    const auto code = Number(text, 3);
    return code && *code >= 100 ? *code : -1;
}

std::uint32_t ParseContentLength(const std::string& text) {
    if (text.empty() || text.size() > 10) return 0;
    std::uint64_t value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value > UINT32_MAX ? 0 : static_cast<std::uint32_t>(value);
}

std::string RealmOf(const std::string& authenticate) {
    const std::size_t start = authenticate.find("=\"");
    if (start == std::string::npos) return "";
    const std::size_t end = authenticate.find('"', start + 2);
    return authenticate.substr(start + 2, end == std::string::npos ? std::string::npos : end - start - 2);
}

}  // namespace wmb
