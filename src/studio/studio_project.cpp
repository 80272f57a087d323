#include "studio_project.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>

namespace mosaren::studio {

namespace {

namespace fs = std::filesystem;

// Keys that apply to every set the Studio edits, written at the top of the file.
constexpr const char* kTopKeys[] = {"size", "mask", "format", "depth", "out-dir"};
// Keys whose values are texture files, relative to the project's folder in the file.
constexpr const char* kTextureKeys[] = {"left-texture", "right-texture"};
// Keys that say where a set's tiles go or how the run goes, not what a tile looks like: a
// preview leaves them out. Every other key shapes the tiles and reaches the preview as it is, so
// that a key the core gains shows there without a change here.
constexpr const char* kNotShaping[] = {
    "format",     "depth",   "sheet",       "columns",    "margin",
    "spacing",    "extrude", "tsx",         "godot",      "godot3",
    "godot-root", "out-dir", "map-preview", "map",        "keep-going",
    "overwrite-inputs",      "quiet",       "jobs",       "recursive",
    "pieces"};

template <typename List>
bool Among(const std::string& key, const List& list) {
    return std::find(std::begin(list), std::end(list), key) != std::end(list);
}

std::string Absolute(const std::string& name, const std::string& folder) {
    if (name.empty() || fs::path(name).is_absolute()) return name;
    return (fs::path(folder) / name).lexically_normal().string();
}

std::string Relative(const std::string& name, const std::string& folder) {
    if (name.empty() || !fs::path(name).is_absolute()) return name;
    const fs::path relative = fs::path(name).lexically_relative(folder);
    return relative.empty() ? name : relative.string();
}

// Every texture name of the content passed through convert.
void ConvertTextureNames(cli::ProjectContent& content,
                         const std::function<std::string(const std::string&)>& convert) {
    const auto convertKeys = [&](cli::ProjectKeys& keys) {
        for (auto& [key, value] : keys) {
            if (Among(key, kTextureKeys)) value = convert(value);
        }
    };
    convertKeys(content.keys);
    for (auto& [name, texture] : content.terrains) texture = convert(texture);
    for (cli::ProjectContentSet& set : content.sets) {
        for (std::string& texture : set.textures) texture = convert(texture);
        convertKeys(set.keys);
    }
}

// The name of a set's output file of the key.
std::string OutputName(const std::string& set, const std::string& key, const std::string& format) {
    if (key == "sheet") return set + (format == "png" ? ".png" : ".bmp");
    if (key == "tsx") return set + ".tsx";
    if (key == "godot") return set + ".tres";
    if (key == "godot3") return set + "-godot3.tres";
    return set + "-map.png";
}

// The map key's list, as the command line splits it.
std::vector<std::string> MapList(const std::string& value) {
    std::vector<std::string> files;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        if (comma > start) files.push_back(value.substr(start, comma - start));
        start = comma + 1;
    }
    return files;
}

std::string MapValue(const std::vector<std::string>& files) {
    std::string value;
    for (const std::string& file : files) value += (value.empty() ? "" : ",") + file;
    return value;
}

// Whether file is a map of the kind: its suffix, in any case, as the command line takes it.
bool OfKind(const std::string& file, const std::string& kind) {
    const std::string suffix = "." + kind;
    if (file.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(), file.end() - suffix.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// The list with the set's map of the kind in it (named after the set unless one is there), or
// with every map of the kind out of it.
std::string WithMap(const std::string& value, const std::string& set, const std::string& kind,
                    bool on) {
    std::vector<std::string> files = MapList(value);
    const auto ofKind = [&](const std::string& file) { return OfKind(file, kind); };
    if (!on) {
        files.erase(std::remove_if(files.begin(), files.end(), ofKind), files.end());
    } else if (std::none_of(files.begin(), files.end(), ofKind)) {
        files.push_back(set + "." + kind);
    }
    return MapValue(files);
}

// A terrain's name from its texture's: letters, digits, '-' and '_' only.
std::string TerrainName(const std::string& texture) {
    std::string name;
    for (const char c : fs::path(texture).stem().string()) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name.empty() ? "terrain" : name;
}

}  // namespace

StudioProject::StudioProject() {
    mContent.keys = {{"out-dir", "tiles"}};
    cli::ProjectContentSet tiles;
    tiles.name = kTilesSet;
    tiles.keys = {{"keep-going", "true"}};
    mContent.sets.push_back(std::move(tiles));
}

StudioProject StudioProject::Open(const std::string& file) {
    StudioProject project;
    project.mContent = cli::ReadProjectContent(file);
    project.mFile = fs::absolute(file).lexically_normal().string();
    const std::string folder = project.Folder();
    ConvertTextureNames(project.mContent,
                        [&](const std::string& name) { return Absolute(name, folder); });
    return project;
}

void StudioProject::SaveAs(const std::string& file) {
    const std::string absolute = fs::absolute(file).lexically_normal().string();
    cli::WriteProjectFile(ContentRelativeTo(fs::path(absolute).parent_path().string()), absolute);
    mFile = absolute;
}

std::string StudioProject::Folder() const {
    if (mFile.empty()) return fs::current_path().string();
    return fs::path(mFile).parent_path().string();
}

cli::ProjectContent StudioProject::ContentRelativeTo(const std::string& folder) const {
    cli::ProjectContent content = mContent;
    ConvertTextureNames(content, [&](const std::string& name) { return Relative(name, folder); });
    return content;
}

const cli::ProjectContentSet* StudioProject::FindSet(const std::string& name) const {
    for (const cli::ProjectContentSet& set : mContent.sets) {
        const bool transitions = !set.transitions.empty();
        if (transitions == (name == kTransitionsSet)) return &set;
    }
    return nullptr;
}

cli::ProjectContentSet* StudioProject::FindSet(const std::string& name) {
    return const_cast<cli::ProjectContentSet*>(std::as_const(*this).FindSet(name));
}

cli::ProjectContentSet& StudioProject::TilesSet() {
    if (cli::ProjectContentSet* set = FindSet(kTilesSet)) return *set;
    cli::ProjectContentSet tiles;
    tiles.name = kTilesSet;
    mContent.sets.insert(mContent.sets.begin(), std::move(tiles));
    return mContent.sets.front();
}

std::vector<cli::ProjectContentSet*> StudioProject::EditedSets() {
    std::vector<cli::ProjectContentSet*> sets{&TilesSet()};
    if (cli::ProjectContentSet* transitions = FindSet(kTransitionsSet)) {
        sets.push_back(transitions);
    }
    return sets;
}

std::vector<std::string> StudioProject::Textures() const {
    const cli::ProjectContentSet* tiles = FindSet(kTilesSet);
    return tiles ? tiles->textures : std::vector<std::string>{};
}

void StudioProject::SetTextures(const std::vector<std::string>& textures) {
    TilesSet().textures = textures;
}

std::string StudioProject::Value(const std::string& key) const {
    if (const cli::ProjectContentSet* tiles = FindSet(kTilesSet)) {
        const std::string own = cli::KeyValue(tiles->keys, key);
        if (!own.empty()) return own;
    }
    return cli::KeyValue(mContent.keys, key);
}

void StudioProject::SetValue(const std::string& key, const std::string& value) {
    if (Among(key, kTopKeys)) {
        // One place for the key, so that no set's own value hides the control's.
        for (cli::ProjectContentSet* set : EditedSets()) cli::SetKey(set->keys, key, "");
        cli::SetKey(mContent.keys, key, value);
        if (key == "format") {
            // A sheet is named after its format.
            for (cli::ProjectContentSet* set : EditedSets()) {
                const std::string sheet = cli::KeyValue(set->keys, "sheet");
                if (sheet == OutputName(set->name, "sheet", value == "png" ? "bmp" : "png")) {
                    cli::SetKey(set->keys, "sheet", OutputName(set->name, "sheet", value));
                }
            }
        }
    } else {
        cli::SetKey(TilesSet().keys, key, value);
    }
}

bool StudioProject::Output(const std::string& key) const { return !Value(key).empty(); }

void StudioProject::SetOutput(const std::string& key, bool on) {
    const std::string format = Value("format");
    for (cli::ProjectContentSet* set : EditedSets()) {
        const std::string named = cli::KeyValue(set->keys, key);
        cli::SetKey(set->keys, key,
                    on ? (named.empty() ? OutputName(set->name, key, format) : named) : "");
    }
    if (!on) cli::SetKey(mContent.keys, key, "");
}

bool StudioProject::Map(const std::string& kind) const {
    const std::vector<std::string> files = MapList(Value("map"));
    return std::any_of(files.begin(), files.end(),
                       [&](const std::string& file) { return OfKind(file, kind); });
}

void StudioProject::SetMap(const std::string& kind, bool on) {
    for (cli::ProjectContentSet* set : EditedSets()) {
        cli::SetKey(set->keys, "map",
                    WithMap(cli::KeyValue(set->keys, "map"), set->name, kind, on));
    }
    if (!on) {
        cli::SetKey(mContent.keys, "map",
                    WithMap(cli::KeyValue(mContent.keys, "map"), {}, kind, false));
    }
}

void StudioProject::SetLayout(const std::string& key, const std::string& value) {
    for (cli::ProjectContentSet* set : EditedSets()) cli::SetKey(set->keys, key, value);
}

StudioProject::Transitions StudioProject::TransitionTiles() const {
    Transitions transitions;
    const cli::ProjectContentSet* set = FindSet(kTransitionsSet);
    if (set == nullptr || set->transitions.size() != 2) return transitions;
    transitions.terrainA = cli::KeyValue(mContent.terrains, set->transitions[0]);
    transitions.terrainB = cli::KeyValue(mContent.terrains, set->transitions[1]);
    transitions.edge = cli::KeyValue(set->keys, "edge");
    transitions.seed = cli::KeyValue(set->keys, "seed");
    transitions.variants = cli::KeyValue(set->keys, "variants");
    transitions.filter = cli::KeyValue(set->keys, "filter");
    transitions.feather = cli::KeyValue(set->keys, "feather");
    return transitions;
}

void StudioProject::SetTransitionTiles(const Transitions& transitions) {
    cli::ProjectContentSet* set = FindSet(kTransitionsSet);
    // The terrains only this set named go with it.
    if (set != nullptr) {
        for (const std::string& terrain : set->transitions) {
            const bool elsewhere =
                std::any_of(mContent.sets.begin(), mContent.sets.end(), [&](const auto& other) {
                    return &other != set && Among(terrain, other.transitions);
                });
            if (!elsewhere) cli::SetKey(mContent.terrains, terrain, "");
        }
    }
    if (transitions.terrainA.empty() || transitions.terrainB.empty()) {
        if (set != nullptr) {
            mContent.sets.erase(mContent.sets.begin() + (set - mContent.sets.data()));
        }
        return;
    }
    if (set == nullptr) {
        cli::ProjectContentSet added;
        added.name = kTransitionsSet;
        // The outputs and the sheet's layout of the tiles set, named after this one.
        const cli::ProjectContentSet& tiles = TilesSet();
        for (const auto& [key, value] : tiles.keys) {
            if (Among(key, kOutputKeys)) {
                cli::SetKey(added.keys, key, OutputName(added.name, key, Value("format")));
            } else if (key == "map") {
                std::string maps;
                for (const char* kind : kMapKinds) {
                    if (Map(kind)) maps = WithMap(maps, added.name, kind, true);
                }
                cli::SetKey(added.keys, key, maps);
            } else if (Among(key, kSheetLayoutKeys)) {
                cli::SetKey(added.keys, key, value);
            }
        }
        mContent.sets.push_back(std::move(added));
        set = &mContent.sets.back();
    }
    set->transitions.clear();
    for (const std::string& texture : {transitions.terrainA, transitions.terrainB}) {
        std::string name = TerrainName(texture);
        for (int k = 2; !cli::KeyValue(mContent.terrains, name).empty() &&
                        cli::KeyValue(mContent.terrains, name) != texture;
             ++k) {
            name = TerrainName(texture) + "-" + std::to_string(k);
        }
        if (!set->transitions.empty() && set->transitions.front() == name) name += "-b";
        cli::SetKey(mContent.terrains, name, texture);
        set->transitions.push_back(name);
    }
    cli::SetKey(set->keys, "edge", transitions.edge);
    cli::SetKey(set->keys, "seed", transitions.seed);
    cli::SetKey(set->keys, "variants", transitions.variants);
    cli::SetKey(set->keys, "filter", transitions.filter);
    cli::SetKey(set->keys, "feather", transitions.feather);
}

cli::ProjectKeys StudioProject::ShapingKeys(const std::string& setName) const {
    cli::ProjectKeys keys;
    const auto add = [&](const cli::ProjectKeys& from) {
        for (const auto& [key, value] : from) {
            if (!Among(key, kNotShaping)) cli::SetKey(keys, key, value);
        }
    };
    add(mContent.keys);
    if (const cli::ProjectContentSet* set = FindSet(setName)) add(set->keys);
    return keys;
}

}  // namespace mosaren::studio
