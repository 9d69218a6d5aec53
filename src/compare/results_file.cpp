#include "compare/results_file.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "compare/json_reader.h"
#include "results/number_text.h"

namespace wmb {

namespace {

struct BadField {
    std::string What;
};

std::string SettingLabel(const std::string& key) {
    static const NamedText kLabels[] = {
        {"demo", "Demo"},           {"quality", "Quality"},          {"renderer", "Renderer"},
        {"shaderModel", "Shader model"}, {"antialiasing", "Antialiasing"}, {"anisotropic", "Anisotropic filtering"},
        {"hdr", "HDR"},             {"instancing", "Instancing"},    {"normalMaps", "Normal maps"},
        {"runs", "Runs"},           {"note", "Note"},                {"repeatLimit", "Repeated above variation (%)"},
        {"repeatMost", "Most extra launches"}};
    for (const auto& [name, label] : kLabels)
        if (name == key) return label;
    return key;
}

// A member's value as text: strings as they are, numbers shortest, true/false, null as not set.
std::string AsText(const JsonValue& value) {
    if (const std::string* s = value.String()) return *s;
    if (const double* n = value.Number()) return NumberText(*n);
    if (const bool* b = value.Bool()) return *b ? "true" : "false";
    if (value.IsNull()) return kNotSetText;
    throw BadField{"a setting is a list or an object"};
}

// Files written before options could be recorded as not set (null) wrote an empty box as "" or, for the
// filters, as a bare multiplication sign; both read as not set.
std::string SettingText(const std::string& key, const JsonValue& value) {
    std::string text = AsText(value);
    static const char* const kOptions[] = {"quality", "renderer", "shaderModel", "antialiasing", "anisotropic"};
    const bool option = std::find(std::begin(kOptions), std::end(kOptions), key) != std::end(kOptions);
    if (option && (text.empty() || text == "\xC3\x97")) return kNotSetText;
    return text;
}

const JsonValue& Required(const JsonValue& object, const std::string& name, const std::string& where) {
    const JsonValue* value = object.Member(name);
    if (!value) throw BadField{"\"" + name + "\" is missing" + where};
    return *value;
}

std::string Text(const JsonValue& object, const std::string& name, const std::string& where) {
    const std::string* text = Required(object, name, where).String();
    if (!text) throw BadField{"\"" + name + "\" is not a text" + where};
    return *text;
}

double Number(const JsonValue& object, const std::string& name, const std::string& where) {
    const double* number = Required(object, name, where).Number();
    if (!number) throw BadField{"\"" + name + "\" is not a number" + where};
    return *number;
}

int Whole(const JsonValue& object, const std::string& name, const std::string& where) {
    const double number = Number(object, name, where);
    if (!(number >= 0 && number <= 100000) || number != std::floor(number))
        throw BadField{"\"" + name + "\" is not a whole number" + where};
    return static_cast<int>(number);
}

ResultsSlot ReadSlot(const JsonValue& value, std::size_t index) {
    const std::string where = " in slot entry " + std::to_string(index + 1);
    if (!value.Object()) throw BadField{"slot entry " + std::to_string(index + 1) + " is not an object"};
    ResultsSlot slot;
    slot.Slot = Whole(value, "slot", where);
    slot.Resolution = Text(value, "resolution", where);
    slot.Width = Whole(value, "width", where);
    slot.Height = Whole(value, "height", where);
    const std::string status = Text(value, "status", where);
    if (status == "failed") {
        slot.Failure = Text(value, "failure", where);
        return slot;
    }
    if (status != "ok") throw BadField{"unknown status \"" + status + "\"" + where};
    slot.Ok = true;
    const JsonArray* runs = Required(value, "runs", where).Array();
    if (!runs) throw BadField{"\"runs\" is not a list" + where};
    for (const JsonValue& run : *runs) slot.Scores.push_back(Number(run, "score", where));
    slot.Average = Number(value, "average", where);
    slot.AverageText = Text(value, "averageText", where);
    slot.Min = Number(value, "min", where);
    slot.Max = Number(value, "max", where);
    const bool* unstable = Required(value, "unstable", where).Bool();
    if (!unstable) throw BadField{"\"unstable\" is not true or false" + where};
    slot.Unstable = *unstable;
    if (value.Member("launches")) slot.Launches = Whole(value, "launches", where);
    if (const JsonValue* stable = value.Member("stable")) {
        if (!stable->Bool()) throw BadField{"\"stable\" is not true or false" + where};
        slot.Stable = *stable->Bool();
    }
    return slot;
}

ResultsFile Read(const JsonValue& root) {
    if (!root.Object()) throw BadField{"not a results file (an object is expected at the top)"};
    const JsonValue* slots = root.Member("slots");
    if (!slots || !root.Member("settings")) throw BadField{"not a results file (no \"settings\" or \"slots\")"};
    ResultsFile file;
    file.Version = Text(root, "version", "");
    file.Started = Text(root, "started", "");
    const JsonArray* machine = Required(root, "machine", "").Array();
    if (!machine) throw BadField{"\"machine\" is not a list"};
    for (const JsonValue& fact : *machine)
        file.Machine.emplace_back(Text(fact, "name", " in \"machine\""), Text(fact, "value", " in \"machine\""));
    const JsonObject* settings = root.Member("settings")->Object();
    if (!settings) throw BadField{"\"settings\" is not an object"};
    for (const auto& [key, value] : *settings) file.Settings.emplace_back(SettingLabel(key), SettingText(key, value));
    if (!slots->Array()) throw BadField{"\"slots\" is not a list"};
    for (std::size_t i = 0; i < slots->Array()->size(); ++i) file.Slots.push_back(ReadSlot((*slots->Array())[i], i));
    return file;
}

}  // namespace

ResultsRead ReadResultsFile(const std::string& json) {
    ResultsRead read;
    const JsonParse parse = ParseJson(json);
    if (!parse.Value) {
        read.Error = parse.Error.Text();
        return read;
    }
    try {
        read.File = Read(*parse.Value);
    } catch (const BadField& bad) {
        read.Error = bad.What;
    }
    return read;
}

}  // namespace wmb
