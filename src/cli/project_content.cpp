#include "project_content.h"

#include <toml++/toml.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>

#include "argument_bytes.h"
#include "parser_options.h"
#include "project_toml.h"
#include "raster/file_replacement.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace {

// A table's entries in the order of the file: toml++ keeps them sorted by key.
std::vector<std::pair<std::string, const toml::node*>> InFileOrder(const toml::table& table) {
    std::vector<std::pair<std::string, const toml::node*>> entries;
    for (const auto& [key, node] : table) entries.emplace_back(std::string(key.str()), &node);
    const auto at = [&table](const auto& entry) {
        const toml::source_position begin = table.get(entry.first)->source().begin;
        return std::pair(begin.line, begin.column);
    };
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const auto& a, const auto& b) { return at(a) < at(b); });
    return entries;
}

class ContentReader {
public:
    explicit ContentReader(std::string file) : mFile(std::move(file)) {}

    ProjectContent Read() {
        const toml::table top = ParseProjectToml(mFile);
        ProjectContent content;
        for (const auto& [name, node] : InFileOrder(top)) {
            if (name == "terrains") {
                for (const auto& [terrain, texture] : InFileOrder(Table(*node, name))) {
                    content.terrains.emplace_back(terrain, Value(*texture, name));
                }
            } else if (name == "sets") {
                // The build takes the sets in the order of the file: so does its editor.
                for (const auto& [setName, setNode] : InFileOrder(Table(*node, name))) {
                    content.sets.push_back(ReadSet(setName, *setNode));
                }
            } else {
                content.keys.emplace_back(name, Value(*node, name));
            }
        }
        return content;
    }

private:
    [[noreturn]] void Refuse(const toml::node& node, const std::string& key,
                             const std::string& what) const {
        throw EUsageError(mFile + ":" + std::to_string(node.source().begin.line) + ": " + key +
                          ": " + what);
    }

    const toml::table& Table(const toml::node& node, const std::string& key) const {
        const toml::table* table = node.as_table();
        if (table == nullptr) Refuse(node, key, "wants a table");
        return *table;
    }

    std::string Scalar(const toml::node& node, const std::string& key) const {
        if (const auto* text = node.as_string()) return text->get();
        if (const auto* whole = node.as_integer()) return std::to_string(whole->get());
        if (const auto* on = node.as_boolean()) return on->get() ? "true" : "false";
        if (const auto* real = node.as_floating_point()) {
            char digits[64];
            const auto end = std::to_chars(std::begin(digits), std::end(digits), real->get());
            return std::string(digits, end.ptr);
        }
        Refuse(node, key, "wants a number, a string or a list of them");
    }

    // A list as the command line takes it: its items joined by commas.
    std::string Value(const toml::node& node, const std::string& key) const {
        const auto* list = node.as_array();
        if (list == nullptr) return Scalar(node, key);
        std::string value;
        for (const toml::node& item : *list) {
            value += (value.empty() ? "" : ",") + Scalar(item, key);
        }
        return value;
    }

    std::vector<std::string> Names(const toml::node& node, const std::string& key) const {
        std::vector<std::string> names;
        if (const auto* list = node.as_array()) {
            for (const toml::node& item : *list) names.push_back(Scalar(item, key));
        } else {
            names.push_back(Scalar(node, key));
        }
        return names;
    }

    ProjectContentSet ReadSet(const std::string& name, const toml::node& node) const {
        const std::string key = "sets." + name;
        ProjectContentSet set;
        set.name = name;
        for (const auto& [itemName, item] : InFileOrder(Table(node, key))) {
            if (itemName == "textures") {
                set.textures = Names(*item, key + ".textures");
            } else if (itemName == "transitions") {
                set.transitions = Names(*item, key + ".transitions");
            } else {
                set.keys.emplace_back(itemName, Value(*item, key + "." + itemName));
            }
        }
        return set;
    }

    std::string mFile;
};

// The option keys that take no value.
std::set<std::string> SwitchKeys() {
    std::set<std::string> switches;
    for (const QCommandLineOption& option : ParserOptions().All()) {
        if (option.valueName().isEmpty()) switches.insert(ToBytes(option.names().constLast()));
    }
    return switches;
}

bool IsBareKey(const std::string& key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

// A whole number that reads back as the same text: no sign but a minus, no leading zero.
bool IsWholeNumber(const std::string& value) {
    const std::size_t digits = value.size() - (value.rfind('-', 0) == 0 ? 1 : 0);
    if (digits == 0 || digits > 18) return false;
    const std::string body = value.substr(value.size() - digits);
    if (body.size() > 1 && body[0] == '0') return false;
    return std::all_of(body.begin(), body.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Key(const std::string& key) { return IsBareKey(key) ? key : Quoted(key); }

std::string List(const std::vector<std::string>& items) {
    std::string text = "[";
    for (std::size_t k = 0; k < items.size(); ++k) text += (k ? ", " : "") + Quoted(items[k]);
    return text + "]";
}

void AddKeys(std::string& text, const ProjectKeys& keys, const std::set<std::string>& switches) {
    for (const auto& [key, value] : keys) {
        std::string written;
        if (switches.count(key) && (value == "true" || value == "false")) {
            written = value;
        } else if (IsWholeNumber(value)) {
            written = value;
        } else {
            written = Quoted(value);
        }
        text += Key(key) + " = " + written + "\n";
    }
}

}  // namespace

std::string KeyValue(const ProjectKeys& keys, const std::string& key) {
    for (const auto& [name, value] : keys) {
        if (name == key) return value;
    }
    return {};
}

void SetKey(ProjectKeys& keys, const std::string& key, const std::string& value) {
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [&](const auto& entry) { return entry.first == key; });
    if (value.empty()) {
        if (found != keys.end()) keys.erase(found);
    } else if (found != keys.end()) {
        found->second = value;
    } else {
        keys.emplace_back(key, value);
    }
}

ProjectContent ReadProjectContent(const std::string& file) { return ContentReader(file).Read(); }

std::string ProjectText(const ProjectContent& content) {
    const std::set<std::string> switches = SwitchKeys();
    std::string text =
        "# A tile project: `mosaren-cli build` in this file's folder makes its tiles.\n";
    AddKeys(text, content.keys, switches);
    if (!content.terrains.empty()) {
        text += "\n[terrains]\n";
        for (const auto& [name, texture] : content.terrains) {
            text += Key(name) + " = " + Quoted(texture) + "\n";
        }
    }
    for (const ProjectContentSet& set : content.sets) {
        text += "\n[sets." + Key(set.name) + "]\n";
        if (!set.textures.empty()) text += "textures = " + List(set.textures) + "\n";
        if (!set.transitions.empty()) text += "transitions = " + List(set.transitions) + "\n";
        AddKeys(text, set.keys, switches);
    }
    return text;
}

void WriteProjectFile(const ProjectContent& content, const std::string& file) {
    const std::string text = ProjectText(content);
    ReplaceFileWithBytes(file, text.data(), text.size());
}

}  // namespace mosaren::cli
