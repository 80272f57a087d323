#include "godot4_tileset_reader.h"

#include <algorithm>
#include <array>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace mosaren::testing {

namespace {

struct Value {
    enum class Kind { Integer, String, Vector2i, ExtResource, SubResource, Color };
    Kind kind = Kind::Integer;
    Vector2i vector;   // an integer's value is in x
    std::string text;  // a string, or the id a resource reference names
    std::array<double, 4> colour{};
};

using Fields = std::vector<std::pair<std::string, Value>>;

struct Section {
    int line = 0;
    std::string tag;
    Fields attributes;  // in the brackets: key=value
    Fields properties;  // the lines below: key = value
};

[[noreturn]] void Fail(int line, const std::string& what) {
    throw std::runtime_error("line " + std::to_string(line) + ": " + what);
}

// Reads one value from the front of text, exactly as Godot 4 spells it.
class ValueReader {
public:
    ValueReader(const std::string& text, int line) : mText(text), mLine(line) {}

    Value Read() {
        Value value;
        if (Peek() == '"') {
            value.kind = Value::Kind::String;
            value.text = String();
        } else if (Take("Vector2i(")) {
            value.kind = Value::Kind::Vector2i;
            value.vector.x = Integer();
            Expect(", ");
            value.vector.y = Integer();
            Expect(")");
        } else if (Take("ExtResource(")) {
            value.kind = Value::Kind::ExtResource;
            value.text = String();
            Expect(")");
        } else if (Take("SubResource(")) {
            value.kind = Value::Kind::SubResource;
            value.text = String();
            Expect(")");
        } else if (Take("Color(")) {
            value.kind = Value::Kind::Color;
            for (std::size_t i = 0; i < 4; ++i) {
                if (i > 0) Expect(", ");
                value.colour[i] = Fraction();
            }
            Expect(")");
        } else {
            value.vector.x = Integer();
        }
        return value;
    }
    bool AtEnd() const { return mAt == mText.size(); }
    void Expect(const std::string& word) {
        if (!Take(word)) Fail(mLine, "expected '" + word + "' at " + mText.substr(mAt));
    }
    // A tag or an attribute's name: lower-case letters and underscores.
    std::string Word() {
        const std::size_t start = mAt;
        while ((Peek() >= 'a' && Peek() <= 'z') || Peek() == '_') ++mAt;
        if (mAt == start) Fail(mLine, "expected a name at " + mText.substr(mAt));
        return mText.substr(start, mAt - start);
    }

private:
    char Peek() const { return mAt < mText.size() ? mText[mAt] : '\0'; }
    bool Take(const std::string& word) {
        if (mText.compare(mAt, word.size(), word) != 0) return false;
        mAt += word.size();
        return true;
    }
    int Integer() {
        const std::size_t start = mAt;
        Take("-");
        const std::size_t digits = mAt;
        while (Peek() >= '0' && Peek() <= '9') ++mAt;
        if (mAt == digits || (mText[digits] == '0' && mAt - digits > 1)) {
            Fail(mLine, "not a whole number at " + mText.substr(start));
        }
        return std::stoi(mText.substr(start, mAt - start));
    }
    // A channel of a colour, from 0 to 1, as C's %g writes it: "0", "1" or "0." and at most six
    // digits, the last not 0.
    double Fraction() {
        static const std::regex number(R"(^(0\.\d{0,5}[1-9]|0|1))");
        std::smatch match;
        const std::string rest = mText.substr(mAt);
        if (!std::regex_search(rest, match, number)) Fail(mLine, "not a fraction at " + rest);
        mAt += static_cast<std::size_t>(match.length(0));
        return std::stod(match.str(0));
    }
    // A quoted string, whose backslash escapes a quote or a backslash.
    std::string String() {
        Expect("\"");
        std::string text;
        for (;;) {
            const char c = Peek();
            if (c == '\0') Fail(mLine, "unterminated string");
            ++mAt;
            if (c == '"') return text;
            if (static_cast<unsigned char>(c) < 0x20) Fail(mLine, "control character in a string");
            if (c == '\\') {
                if (Peek() != '"' && Peek() != '\\') Fail(mLine, "unexpected escape");
                text += mText[mAt++];
            } else {
                text += c;
            }
        }
    }

    const std::string& mText;
    int mLine;
    std::size_t mAt = 0;
};

// "[tag key=value key=value]"
Section ReadHeader(const std::string& line, int number) {
    if (line.size() < 2 || line.back() != ']') Fail(number, "not a section header: " + line);
    const std::string inside = line.substr(1, line.size() - 2);
    ValueReader reader(inside, number);
    Section section{number, reader.Word(), {}, {}};
    while (!reader.AtEnd()) {
        reader.Expect(" ");
        std::string key = reader.Word();
        reader.Expect("=");
        section.attributes.emplace_back(std::move(key), reader.Read());
    }
    return section;
}

std::vector<Section> ReadSections(const std::string& text) {
    if (text.empty() || text.back() != '\n') Fail(0, "the text does not end with a line break");
    std::vector<Section> sections;
    std::istringstream lines(text);
    bool blank = true;  // the first header needs no blank line before it
    int number = 0;
    static const std::regex property(R"(([A-Za-z0-9_:/]+) = (.+))");
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (line.empty()) {
            if (blank) Fail(number, "two blank lines");
            blank = true;
        } else if (line.front() == '[') {
            if (!blank) Fail(number, "a section without a blank line before it");
            sections.push_back(ReadHeader(line, number));
            blank = false;
        } else {
            std::smatch match;
            if (blank || !std::regex_match(line, match, property)) {
                Fail(number, "not a key = value line of a section: " + line);
            }
            const std::string value = match[2];
            ValueReader reader(value, number);
            sections.back().properties.emplace_back(match[1], reader.Read());
            if (!reader.AtEnd()) Fail(number, "more after the value: " + line);
        }
    }
    if (blank) Fail(number, "the text ends with a blank line");
    return sections;
}

// Hands out a section's fields by name, each key once, and at the end says whether any was left.
class FieldTaker {
public:
    FieldTaker(const Fields& fields, int line) : mFields(fields), mLine(line) {
        std::set<std::string> keys;
        for (const auto& [key, value] : fields) {
            if (!keys.insert(key).second) Fail(mLine, "repeated key " + key);
        }
    }
    // Raises for any field that no one took: a key a tile set of ours has no use for.
    void ExpectNoOthers() const {
        for (const auto& [key, value] : mFields) {
            if (!mTaken.count(key)) Fail(mLine, "unknown key " + key);
        }
    }
    const Value* Find(const std::string& key, Value::Kind kind) {
        for (const auto& [name, value] : mFields) {
            if (name != key) continue;
            if (value.kind != kind) Fail(mLine, "the value of " + key + " is of the wrong kind");
            mTaken.insert(key);
            return &value;
        }
        return nullptr;
    }
    const Value& Get(const std::string& key, Value::Kind kind) {
        const Value* value = Find(key, kind);
        if (value == nullptr) Fail(mLine, "no " + key);
        return *value;
    }
    // A Vector2i that Godot omits at its default.
    Vector2i Optional(const std::string& key, Vector2i byDefault) {
        const Value* value = Find(key, Value::Kind::Vector2i);
        if (value == nullptr) return byDefault;
        if (value->vector == byDefault) Fail(mLine, key + " states Godot's default");
        return value->vector;
    }
    void ExpectString(const std::string& key, const std::string& expected) {
        if (Get(key, Value::Kind::String).text != expected) {
            Fail(mLine, key + " is not \"" + expected + "\"");
        }
    }

    const Fields& All() const { return mFields; }
    void MarkTaken(const std::string& key) { mTaken.insert(key); }
    bool Taken(const std::string& key) const { return mTaken.count(key) != 0; }

private:
    const Fields& mFields;
    int mLine;
    std::set<std::string> mTaken;
};

// Godot's TileSet.CellNeighbor, in its order: the names of the peering bits.
const char* const kNeighbours[] = {
    "right_side",  "right_corner",  "bottom_right_side", "bottom_right_corner",
    "bottom_side", "bottom_corner", "bottom_left_side",  "bottom_left_corner",
    "left_side",   "left_corner",   "top_left_side",     "top_left_corner",
    "top_side",    "top_corner",    "top_right_side",    "top_right_corner"};

// Where a tile property comes in Godot's order of them, or -1 for one a tile set of ours has no
// use for: the texture origin, the terrain set, the tile's terrain, then the peering bits.
int PropertyRank(const std::string& property) {
    if (property == "texture_origin") return 0;
    if (property == "terrain_set") return 1;
    if (property == "terrain") return 2;
    const std::string bit = "terrains_peering_bit/";
    if (property.rfind(bit, 0) != 0) return -1;
    for (int i = 0; i < static_cast<int>(std::size(kNeighbours)); ++i) {
        if (property.substr(bit.size()) == kNeighbours[i]) return 3 + i;
    }
    return -1;
}

void ReadTiles(FieldTaker& atlas, Godot4Tileset& tileset, int line) {
    static const std::regex tileKey(R"((\d+):(\d+)/0)");
    static const std::regex propertyKey(R"((\d+):(\d+)/0/(.+))");
    int lastRank = -1;
    for (const auto& [key, value] : atlas.All()) {
        std::smatch match;
        if (std::regex_match(key, match, tileKey)) {
            if (value.kind != Value::Kind::Integer || value.vector.x != 0) {
                Fail(line, key + " is not alternative tile 0");
            }
            Godot4Tile tile;
            tile.coords = {std::stoi(match[1]), std::stoi(match[2])};
            tileset.tiles.push_back(tile);
            atlas.MarkTaken(key);
            lastRank = -1;
        } else if (std::regex_match(key, match, propertyKey)) {
            const Vector2i coords{std::stoi(match[1]), std::stoi(match[2])};
            // Godot writes a tile's properties after the tile itself, in its order of them.
            if (tileset.tiles.empty() || !(tileset.tiles.back().coords == coords)) {
                Fail(line, key + " does not follow its tile");
            }
            const int rank = PropertyRank(match[3]);
            if (rank < 0) continue;  // left to ExpectNoOthers
            if (rank <= lastRank) Fail(line, key + " is out of Godot's order");
            lastRank = rank;
            Godot4Tile& tile = tileset.tiles.back();
            if (rank == 0) {
                tile.textureOrigin = atlas.Optional(key, {0, 0});
                continue;
            }
            // Godot stores none of them at its default, -1.
            const int number = atlas.Get(key, Value::Kind::Integer).vector.x;
            if (number < 0) Fail(line, key + " states Godot's default");
            if (rank == 1) {
                tile.terrainSet = number;
            } else if (tile.terrainSet < 0) {
                Fail(line, key + " without a terrain set");
            } else if (rank == 2) {
                tile.terrain = number;
            } else {
                tile.peeringBits.emplace_back(kNeighbours[rank - 3], number);
            }
        }
    }
}

// terrain_set_N/mode, terrain_set_N/terrain_M/name and .../color, numbered from 0 without a gap.
void ReadTerrainSets(FieldTaker& resource, Godot4Tileset& tileset, int line) {
    for (int set = 0;; ++set) {
        const std::string prefix = "terrain_set_" + std::to_string(set) + "/";
        const Value* mode = resource.Find(prefix + "mode", Value::Kind::Integer);
        if (mode == nullptr) break;
        Godot4TerrainSet terrains{mode->vector.x, {}};
        for (int t = 0;; ++t) {
            const std::string terrain = prefix + "terrain_" + std::to_string(t) + "/";
            const Value* name = resource.Find(terrain + "name", Value::Kind::String);
            if (name == nullptr) break;
            terrains.terrains.push_back(
                {name->text, resource.Get(terrain + "color", Value::Kind::Color).colour});
        }
        tileset.terrainSets.push_back(std::move(terrains));
    }
    static const std::regex anyTerrainKey(R"(terrain_set_.*)");
    for (const auto& [key, value] : resource.All()) {
        if (std::regex_match(key, anyTerrainKey) && !resource.Taken(key)) {
            Fail(line, "a terrain key out of its set or out of order: " + key);
        }
    }
}

// A tile's terrains must name a terrain of its set, and its peering bits be those Godot takes
// for the set's mode on the tile set's shape: on isometric diamonds the four vertices alone when
// the mode matches corners (1), the four edges as well when it matches corners and sides (0),
// the edges alone when it matches sides (2).
void CheckTileTerrains(const Godot4Tileset& tileset) {
    for (const Godot4Tile& tile : tileset.tiles) {
        if (tile.terrainSet < 0) continue;
        if (tile.terrainSet >= static_cast<int>(tileset.terrainSets.size())) {
            Fail(0, "a tile of terrain set " + std::to_string(tile.terrainSet) + ", which is not");
        }
        const Godot4TerrainSet& set =
            tileset.terrainSets[static_cast<std::size_t>(tile.terrainSet)];
        const int terrains = static_cast<int>(set.terrains.size());
        if (tile.terrain >= terrains) Fail(0, "a tile's terrain is not one of its set");
        for (const auto& [bit, terrain] : tile.peeringBits) {
            if (terrain >= terrains) Fail(0, "peering bit " + bit + " names no terrain of the set");
            // A diamond's vertices are "top_corner" and the like, its sides "top_left_side" and
            // the like.
            const bool corner = bit.find("corner") != std::string::npos;
            const auto parts = std::count(bit.begin(), bit.end(), '_') + 1;
            const bool vertex = corner && parts == 2;
            const bool side = !corner && parts == 3;
            const bool valid = tileset.tileShape == 1 && (set.mode == 1   ? vertex
                                                          : set.mode == 2 ? side
                                                                          : vertex || side);
            if (!valid) Fail(0, "Godot takes no peering bit " + bit + " in this tile set");
        }
    }
}

}  // namespace

Vector2i Godot4Tileset::GridSize(int textureWidth, int textureHeight) const {
    auto cells = [](int size, int margin, int region, int separation) {
        const int room = size - margin - region;
        return room < 0 ? 0 : 1 + room / (region + separation);
    };
    return {cells(textureWidth, margins.x, regionSize.x, separation.x),
            cells(textureHeight, margins.y, regionSize.y, separation.y)};
}

Vector2i Godot4Tileset::RegionOrigin(Vector2i coords) const {
    return {margins.x + coords.x * (regionSize.x + separation.x),
            margins.y + coords.y * (regionSize.y + separation.y)};
}

Godot4Tileset ReadGodot4Tileset(const std::string& text) {
    const std::vector<Section> sections = ReadSections(text);
    const char* const tags[] = {"gd_resource", "ext_resource", "sub_resource", "resource"};
    if (sections.size() != std::size(tags)) Fail(0, "not four sections");
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (sections[i].tag != tags[i]) Fail(sections[i].line, "expected [" + std::string(tags[i]));
    }
    const Section& head = sections[0];
    const Section& texture = sections[1];
    const Section& atlas = sections[2];
    const Section& resource = sections[3];
    Godot4Tileset tileset;
    {
        FieldTaker attributes(head.attributes, head.line);
        attributes.ExpectString("type", "TileSet");
        if (attributes.Get("format", Value::Kind::Integer).vector.x != 3) {
            Fail(head.line, "not format=3");
        }
        attributes.ExpectNoOthers();
        if (!head.properties.empty()) Fail(head.line, "properties in the header section");
    }
    std::string textureId;
    {
        FieldTaker attributes(texture.attributes, texture.line);
        attributes.ExpectString("type", "Texture2D");
        tileset.texturePath = attributes.Get("path", Value::Kind::String).text;
        textureId = attributes.Get("id", Value::Kind::String).text;
        if (tileset.texturePath.rfind("res://", 0) != 0) Fail(texture.line, "not a res:// path");
        attributes.ExpectNoOthers();
        if (!texture.properties.empty()) Fail(texture.line, "properties of an ext_resource");
    }
    std::string atlasId;
    {
        FieldTaker attributes(atlas.attributes, atlas.line);
        attributes.ExpectString("type", "TileSetAtlasSource");
        atlasId = attributes.Get("id", Value::Kind::String).text;
        attributes.ExpectNoOthers();
        FieldTaker properties(atlas.properties, atlas.line);
        if (properties.Get("texture", Value::Kind::ExtResource).text != textureId) {
            Fail(atlas.line, "the atlas's texture is not the ext_resource");
        }
        tileset.margins = properties.Optional("margins", {0, 0});
        tileset.separation = properties.Optional("separation", {0, 0});
        tileset.regionSize = properties.Optional("texture_region_size", {16, 16});
        ReadTiles(properties, tileset, atlas.line);
        properties.ExpectNoOthers();
    }
    {
        if (!resource.attributes.empty()) Fail(resource.line, "attributes of [resource]");
        FieldTaker properties(resource.properties, resource.line);
        // Godot's defaults are 0, which a tile set of ours never keeps.
        tileset.tileShape = properties.Get("tile_shape", Value::Kind::Integer).vector.x;
        tileset.tileLayout = properties.Get("tile_layout", Value::Kind::Integer).vector.x;
        tileset.tileSize = properties.Optional("tile_size", {16, 16});
        if (properties.Get("sources/0", Value::Kind::SubResource).text != atlasId) {
            Fail(resource.line, "sources/0 is not the atlas");
        }
        ReadTerrainSets(properties, tileset, resource.line);
        properties.ExpectNoOthers();
    }
    CheckTileTerrains(tileset);
    return tileset;
}

}  // namespace mosaren::testing
