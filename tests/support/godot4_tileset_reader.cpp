#include "godot4_tileset_reader.h"

#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace mosaren::testing {

namespace {

struct Value {
    enum class Kind { Integer, String, Vector2i, ExtResource, SubResource };
    Kind kind = Kind::Integer;
    Vector2i vector;   // an integer's value is in x
    std::string text;  // a string, or the id a resource reference names
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

private:
    const Fields& mFields;
    int mLine;
    std::set<std::string> mTaken;
};

void ReadTiles(FieldTaker& atlas, Godot4Tileset& tileset, int line) {
    static const std::regex tileKey(R"((\d+):(\d+)/0)");
    static const std::regex originKey(R"((\d+):(\d+)/0/texture_origin)");
    for (const auto& [key, value] : atlas.All()) {
        std::smatch match;
        if (std::regex_match(key, match, tileKey)) {
            if (value.kind != Value::Kind::Integer || value.vector.x != 0) {
                Fail(line, key + " is not alternative tile 0");
            }
            tileset.tiles.push_back({{std::stoi(match[1]), std::stoi(match[2])}, {}});
            atlas.MarkTaken(key);
        } else if (std::regex_match(key, match, originKey)) {
            const Vector2i coords{std::stoi(match[1]), std::stoi(match[2])};
            // Godot writes a tile's properties after the tile itself.
            if (tileset.tiles.empty() || !(tileset.tiles.back().coords == coords)) {
                Fail(line, key + " does not follow its tile");
            }
            tileset.tiles.back().textureOrigin = atlas.Optional(key, {0, 0});
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
        properties.ExpectNoOthers();
    }
    return tileset;
}

}  // namespace mosaren::testing
