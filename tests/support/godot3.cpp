#include "godot3.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace mosaren::testing {

namespace {

// A script for `--script`: a SceneTree runs its _init and ends with quit's exit code. Godot
// exits 0 whatever happened unless told otherwise, so a failed load must say quit(1). The
// resource's path is written into the script: Godot 3.2 takes a further argument on its command
// line, even after "--", for a scene to run, and fails on a resource that is no scene.
const char* const kPrintTiles = R"(extends SceneTree

func _init():
	var tileset = load("%RESOURCE%")
	if not (tileset is TileSet):
		printerr("cannot load %RESOURCE% as a TileSet")
		quit(1)
		return
	for id in tileset.get_tiles_ids():
		var texture = tileset.tile_get_texture(id)
		var region = tileset.tile_get_region(id)
		var offset = tileset.tile_get_texture_offset(id)
		var pixels = texture.get_data().get_rect(region)
		pixels.convert(Image.FORMAT_RGBA8)
		var fields = PoolStringArray(["TILE", id, tileset.tile_get_name(id),
			region.position.x, region.position.y, region.size.x, region.size.y,
			offset.x, offset.y, tileset.tile_get_tile_mode(id),
			texture.get_width(), texture.get_height(), pixels.get_data().hex_encode()])
		print(fields.join("\t"))
	quit(0)
)";

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs Godot on the project with Godot's settings and caches kept in it (a hidden folder, which
// Godot does not take for part of the project), and returns what it printed. The time limit
// keeps a hung Godot from holding up the tests.
std::string RunGodot(const std::filesystem::path& project, const std::string& arguments) {
    const std::string command = "HOME=" + Quoted((project / ".home").string()) + " timeout 300 " +
                                Quoted(Godot3Program()) + " --path " + Quoted(project.string()) +
                                " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot start " + command);
    std::string output;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    if (status != 0) {
        throw std::runtime_error("godot3-server " + arguments + " ended with status " +
                                 std::to_string(status) + ":\n" + output);
    }
    return output;
}

std::vector<std::uint8_t> FromHex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

Godot3Tile ParseTile(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    if (fields.size() != 13) throw std::runtime_error("unexpected tile line: " + line);
    // Godot prints whole-numbered reals without a fraction.
    auto number = [&fields](int i) { return std::stoi(fields[static_cast<std::size_t>(i)]); };
    Godot3Tile tile;
    tile.id = number(1);
    tile.name = fields[2];
    tile.regionX = number(3);
    tile.regionY = number(4);
    tile.regionWidth = number(5);
    tile.regionHeight = number(6);
    tile.offsetX = number(7);
    tile.offsetY = number(8);
    tile.mode = number(9);
    tile.textureWidth = number(10);
    tile.textureHeight = number(11);
    tile.pixels = FromHex(fields[12]);
    return tile;
}

}  // namespace

std::string Godot3Program() { return MOSAREN_GODOT3_PROGRAM; }

std::vector<Godot3Tile> LoadGodot3Tileset(const std::filesystem::path& folder,
                                          const std::string& resPath) {
    if (!std::filesystem::exists(folder / "project.godot")) {
        std::ofstream(folder / "project.godot") << "config_version=4\n";
    }
    // A texture loads through what the importer made of the picture (the .import file beside it
    // and the converted texture under .import/); the server build carries the editor, whose
    // first run on a project imports everything in it and quits.
    RunGodot(folder, "--editor --quit");

    std::string script = kPrintTiles;
    for (std::size_t at; (at = script.find("%RESOURCE%")) != std::string::npos;) {
        script.replace(at, 10, resPath);
    }
    std::ofstream(folder / "print_tiles.gd") << script;
    const std::string output = RunGodot(folder, "--script res://print_tiles.gd");

    std::vector<Godot3Tile> tiles;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("TILE\t", 0) == 0) tiles.push_back(ParseTile(line));
    }
    return tiles;
}

}  // namespace mosaren::testing
