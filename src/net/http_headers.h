#pragma once
// Readers of reply header values: the status code, the content length, the dates and the realm of an
// authentication request.

#include <cstdint>
#include <string>

#include "base/date_time.h"

namespace wmb {

// The date-time (GMT, as sent) of an HTTP date in any of its three forms: "Sun, 06 Nov 1994 08:49:37 GMT",
// "Sunday, 06-Nov-94 08:49:37 GMT" and "Sun Nov  6 08:49:37 1994"; 0 when absent or not a date.
TDateTime ParseHttpDate(const std::string& text);

// The status code of a reply; -1 when the text is not one.
std::int32_t ParseStatusCode(const std::string& text);

// The announced length of a body; 0 when there is none or it does not fit 32 bits.
std::uint32_t ParseContentLength(const std::string& text);

// The text after '="' in an authenticate header, up to the closing quote.
std::string RealmOf(const std::string& authenticate);

}  // namespace wmb
