#pragma once
// The game's command line: an executable path followed by console settings such as
//   -DEVMODE  "#demo_num_runs=2" "#r_Width=1024" "map pier" "demo 1" "r_SM30PATH 1"
// Quoted tokens may hold blanks; "#name=value" sets a console variable, "command argument" runs a
// console command ("map" and "demo" pick the timedemo, anything else sets the variable named).

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wmb::game {

// Console variables by lower-case name, holding the value text as given.
using ConsoleVars = std::map<std::string, std::string>;

// Splits a command line at blanks outside double quotes; the quotes themselves are dropped.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

struct GameArgs {
    bool devMode = false;
    std::string map;   // as written, e.g. "pier"
    std::string demo;  // demo name without ".tmd"
    ConsoleVars vars;  // every variable set on the command line
};

// Reads the console settings of a command line. The first token is the executable and is skipped;
// tokens the game does not understand are ignored.
GameArgs ParseGameArgs(std::string_view commandLine);

std::string ToLower(std::string_view text);
std::string Trim(std::string_view text);

// Whole number from a console value; nullopt when the text (blanks aside) is not one.
std::optional<long> ParseWhole(std::string_view text);
// Decimal number from a console value ("." as separator, a trailing "f" allowed); nullopt otherwise.
std::optional<double> ParseDecimal(std::string_view text);

// Value of a variable read as a number, or the fallback when it is unset or not a number.
long VarWhole(const ConsoleVars& vars, std::string_view name, long fallback);
double VarDecimal(const ConsoleVars& vars, std::string_view name, double fallback);

}  // namespace wmb::game
