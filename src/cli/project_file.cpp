#include "project_file.h"

#include <glob.h>
#include <toml++/toml.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

#include "argument_bytes.h"
#include "parser_options.h"
#include "project_toml.h"
#include "texture_folders.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace {

// Options that are no part of a tileset's recipe: they ask about the program or say how to run
// the build itself.
constexpr const char* kNotKeys[] = {"help", "version", "force", "watch"};
// Option keys whose values are textures: they must exist when the project is read.
constexpr const char* kTextureKeys[] = {"left-texture", "right-texture"};

struct Setting {
    std::string spelling;  // "--size"
    bool isSwitch = false;
    std::string value;  // for an option with a value
    std::string place;
};

bool Among(const std::string& name, const auto& list) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

class ProjectReader {
public:
    explicit ProjectReader(std::string file) : mFile(std::move(file)) {
        for (const QCommandLineOption& option : mOptions.All()) {
            const std::string name = ToBytes(option.names().constLast());
            if (Among(name, kNotKeys)) continue;
            mKeys.emplace(name, option.valueName().isEmpty());
        }
    }

    Project Read() {
        const toml::table top = ParseProjectToml(mFile);
        Project project;
        project.file = mFile;
        std::map<std::string, Setting> common;
        const toml::table* sets = nullptr;
        for (const auto& [key, node] : top) {
            const std::string name(key.str());
            if (name == "terrains") {
                ReadTerrains(Table(node, name));
            } else if (name == "sets") {
                sets = &Table(node, name);
            } else {
                ReadOption(name, name, node, common);
            }
        }
        if (const auto found = common.find("out-dir"); found != common.end()) {
            project.outDir = found->second.value;
        }
        if (sets == nullptr || sets->empty()) {
            throw EUsageError(mFile +
                              ":1: sets: the project has no [sets.NAME] table, so nothing "
                              "to build");
        }
        std::vector<std::pair<std::size_t, ProjectSet>> ordered;
        for (const auto& [key, node] : *sets) {
            const std::string name(key.str());
            ordered.emplace_back(node.source().begin.line,
                                 ReadSet(name, Table(node, "sets." + name), common));
        }
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [line, set] : ordered) project.sets.push_back(std::move(set));
        return project;
    }

private:
    std::string Place(const toml::node& node, const std::string& key) const {
        return mFile + ":" + std::to_string(node.source().begin.line) + ": " + key;
    }

    [[noreturn]] void Refuse(const toml::node& node, const std::string& key,
                             const std::string& what) const {
        throw EUsageError(Place(node, key) + ": " + what);
    }

    const toml::table& Table(const toml::node& node, const std::string& key) const {
        const toml::table* table = node.as_table();
        if (table == nullptr) Refuse(node, key, "wants a table");
        return *table;
    }

    std::string Text(const toml::node& node, const std::string& key) const {
        const auto* text = node.as_string();
        if (text == nullptr) Refuse(node, key, "wants a string");
        if (text->get().empty()) Refuse(node, key, "wants a file name, not an empty string");
        return text->get();
    }

    // A number or a string as the command line would give it: 24, 0.8 (the shortest decimal
    // that reads back as the same number), "64x32".
    std::optional<std::string> ScalarText(const toml::node& node) const {
        if (const auto* text = node.as_string()) return text->get();
        if (const auto* whole = node.as_integer()) return std::to_string(whole->get());
        if (const auto* real = node.as_floating_point()) {
            char digits[64];
            const auto end = std::to_chars(std::begin(digits), std::end(digits), real->get());
            return std::string(digits, end.ptr);
        }
        return std::nullopt;
    }

    void RequireFile(const toml::node& node, const std::string& key, const std::string& file) {
        std::error_code error;
        if (!std::filesystem::exists(file, error)) {
            Refuse(node, key, "'" + file + "' does not exist");
        }
    }

    void ReadOption(const std::string& name, const std::string& key, const toml::node& node,
                    std::map<std::string, Setting>& settings) {
        const auto found = mKeys.find(name);
        if (found == mKeys.end()) Refuse(node, key, "unknown key");
        Setting setting{"--" + name, found->second, {}, Place(node, key)};
        if (setting.isSwitch) {
            const auto* on = node.as_boolean();
            if (on == nullptr) Refuse(node, key, "wants true or false");
            if (!on->get()) {
                settings.erase(name);
                return;
            }
        } else if (const auto* list = node.as_array()) {
            if (list->empty()) Refuse(node, key, "wants a value, not an empty list");
            for (const toml::node& item : *list) {
                const auto text = ScalarText(item);
                if (!text) Refuse(item, key, "wants a list of numbers or strings");
                setting.value += (setting.value.empty() ? "" : ",") + *text;
            }
        } else {
            const auto text = ScalarText(node);
            if (!text) Refuse(node, key, "wants a number, a string or a list of them");
            setting.value = *text;
        }
        if (Among(name, kTextureKeys)) RequireFile(node, key, setting.value);
        settings[name] = std::move(setting);
    }

    void ReadTerrains(const toml::table& terrains) {
        for (const auto& [key, node] : terrains) {
            const std::string name(key.str());
            const std::string texture = Text(node, "terrains." + name);
            RequireFile(node, "terrains." + name, texture);
            mTerrains[name] = texture;
        }
    }

    // The files a textures entry names: a pattern's matches, sorted, less the tiles an earlier
    // run wrote beside them; else the file or folder itself.
    std::vector<std::string> Textures(const toml::node& node, const std::string& key) {
        const std::string entry = Text(node, key);
        if (entry.find_first_of("*?[") == std::string::npos) {
            RequireFile(node, key, entry);
            return {entry};
        }
        glob_t matches{};
        const int status = ::glob(entry.c_str(), 0, nullptr, &matches);
        std::vector<std::string> files;
        for (std::size_t k = 0; status == 0 && k < matches.gl_pathc; ++k) {
            files.emplace_back(matches.gl_pathv[k]);
        }
        ::globfree(&matches);
        files = WithoutEarlierTiles(files);
        if (files.empty()) Refuse(node, key, "'" + entry + "' matches no file");
        return files;
    }

    ProjectSet ReadSet(const std::string& name, const toml::table& table,
                       std::map<std::string, Setting> settings) {
        const std::string key = "sets." + name;
        ProjectSet set;
        set.name = name;
        set.place = Place(table, key);
        std::vector<std::string> files;
        const toml::node* transitions = nullptr;
        bool hasTextures = false;
        for (const auto& [itemKey, node] : table) {
            const std::string item(itemKey.str());
            const std::string itemPath = key + "." + item;
            if (item == "textures") {
                hasTextures = true;
                if (const auto* list = node.as_array()) {
                    for (const toml::node& entry : *list) {
                        for (std::string& file : Textures(entry, itemPath)) files.push_back(file);
                    }
                } else {
                    files = Textures(node, itemPath);
                }
            } else if (item == "transitions") {
                transitions = &node;
            } else {
                ReadOption(item, itemPath, node, settings);
            }
        }

        std::string command = "batch";
        if (transitions != nullptr) {
            const std::string itemPath = key + ".transitions";
            const auto* pair = transitions->as_array();
            if (pair == nullptr || pair->size() != 2) {
                Refuse(*transitions, itemPath, "wants two terrain names, [\"A\", \"B\"]");
            }
            if (hasTextures) Refuse(*transitions, itemPath, "and textures do not go together");
            for (const toml::node& terrain : *pair) {
                const std::string terrainName = Text(terrain, itemPath);
                const auto found = mTerrains.find(terrainName);
                if (found == mTerrains.end()) {
                    Refuse(terrain, itemPath, "'" + terrainName + "' is no key of [terrains]");
                }
                files.push_back(found->second);
            }
            command = "transitions";
            files.push_back(name);
        } else if (!hasTextures) {
            Refuse(table, key, "wants textures or transitions");
        } else if (settings.count("pieces")) {
            if (files.size() != 1) {
                Refuse(table, key + ".textures", "with pieces wants exactly one texture");
            }
            command = "tile";
            files.push_back(name);
        }

        set.arguments = {"mosaren-cli", command};
        set.arguments.insert(set.arguments.end(), files.begin(), files.end());
        set.fileCount = files.size();
        for (const QCommandLineOption& option : mOptions.All()) {
            const auto found = settings.find(ToBytes(option.names().constLast()));
            if (found == settings.end()) continue;
            const Setting& setting = found->second;
            set.arguments.push_back(setting.spelling);
            if (!setting.isSwitch) set.arguments.push_back(setting.value);
            set.optionPlaces[setting.spelling] = setting.place;
        }
        return set;
    }

    std::string mFile;
    ParserOptions mOptions;
    std::map<std::string, bool> mKeys;  // option key → whether it is a switch
    std::map<std::string, std::string> mTerrains;
};

bool IsOptionCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

}  // namespace

Project ReadProject(const std::string& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        throw EUsageError(file + ": Cannot open file, the project file");
    }
    return ProjectReader(file).Read();
}

std::string PlacedMessage(const ProjectSet& set, const std::string& message) {
    std::size_t first = std::string::npos;
    std::string place = set.place;
    for (const auto& [spelling, optionPlace] : set.optionPlaces) {
        for (std::size_t at = message.find(spelling); at != std::string::npos;
             at = message.find(spelling, at + 1)) {
            const std::size_t end = at + spelling.size();
            if (end < message.size() && IsOptionCharacter(message[end])) continue;
            if (at < first) {
                first = at;
                place = optionPlace;
            }
            break;
        }
    }
    return place + ": " + message;
}

}  // namespace mosaren::cli
