#include "godot3.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace mosaren::testing {

namespace {

// The start of a script for `--script`: a SceneTree runs its _init and ends with quit's exit
// code. Godot exits 0 whatever happened unless told otherwise, so a failed load must say quit(1).
// The resource's path is written into the script: Godot 3.2 takes a further argument on its
// command line, even after "--", for a scene to run, and fails on a resource that is no scene.
const char* const kLoadTileset = R"(extends SceneTree

func _init():
	var tileset = load("%RESOURCE%")
	if not (tileset is TileSet):
		printerr("cannot load %RESOURCE% as a TileSet")
		quit(1)
		return
)";

// Prints every tile of the tile set.
const char* const kPrintTiles = R"(	for id in tileset.get_tiles_ids():
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

// Paints %CELLS% (Vector3s of x, y and the tile) on an isometric TileMap and prints each cell's
// autotile coordinate once Godot has set the bitmasks of the whole map.
const char* const kPaintMap = R"(	var map = TileMap.new()
	map.mode = TileMap.MODE_ISOMETRIC
	map.cell_size = Vector2(%CELL_SIZE%)
	map.tile_set = tileset
	var cells = [%CELLS%]
	for cell in cells:
		map.set_cell(int(cell.x), int(cell.y), int(cell.z))
	map.update_bitmask_region()
	for cell in cells:
		var coord = map.get_cell_autotile_coord(int(cell.x), int(cell.y))
		var fields = PoolStringArray(["CELL", cell.x, cell.y, map.get_cell(int(cell.x), int(cell.y)),
			coord.x, coord.y])
		print(fields.join("\t"))
	map.free()
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
std::string RunGodot(const std::filesystem::path& project, const std::string& arguments,
                     const std::string& program = Quoted(Godot3Program())) {
    const std::string command = "HOME=" + Quoted((project / ".home").string()) + " timeout 300 " +
                                program + " --path " + Quoted(project.string()) + " " + arguments +
                                " 2>&1";
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

std::vector<std::string> Fields(const std::string& line, std::size_t count) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    if (fields.size() != count) throw std::runtime_error("unexpected line: " + line);
    return fields;
}

// The lines of Godot's output that begin with tag and a tab.
std::vector<std::string> Tagged(const std::string& output, const std::string& tag) {
    std::vector<std::string> tagged;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(tag + "\t", 0) == 0) tagged.push_back(line);
    }
    return tagged;
}

// Whether the editor has imported every picture of the project: each has its .import file, and
// the converted textures that file names exist.
bool EveryPictureImported(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    for (auto entry = fs::recursive_directory_iterator(folder);
         entry != fs::recursive_directory_iterator(); ++entry) {
        const fs::path& path = entry->path();
        if (path.filename().string().front() == '.') {
            if (entry->is_directory()) entry.disable_recursion_pending();
            continue;
        }
        const std::string extension = path.extension().string();
        if (extension != ".png" && extension != ".bmp") continue;
        std::ifstream import(path.string() + ".import");
        if (!import) return false;
        // An import file of settings alone, as the program writes one, is not yet an import.
        bool imported = false;
        for (std::string line; std::getline(import, line);) {
            if (line.rfind("path=\"res://", 0) != 0) continue;
            const std::string resource = line.substr(12, line.size() - 13);
            if (!fs::exists(folder / resource)) return false;
            imported = true;
        }
        if (!imported) return false;
    }
    return true;
}

// Loads %RESOURCE% as a scene, and prints its TileMap's mode, cell size and tile origin, each
// used cell with its tile, the cell's place as the map puts it (map_to_world), and whether the
// tile set's sheet is filtered.
const char* const kPrintScene = R"(extends SceneTree

func _init():
	var scene = load("%RESOURCE%")
	if not (scene is PackedScene):
		printerr("cannot load %RESOURCE% as a scene")
		quit(1)
		return
	var map = scene.instance()
	if not (map is TileMap):
		printerr("the scene's root is no TileMap")
		quit(1)
		return
	var texture = map.tile_set.tile_get_texture(0)
	var fields = PoolStringArray(["MAP", map.mode, map.cell_size.x, map.cell_size.y,
		map.cell_tile_origin, int(texture.flags & Texture.FLAG_FILTER != 0)])
	print(fields.join("\t"))
	for cell in map.get_used_cells():
		var place = map.map_to_world(cell)
		fields = PoolStringArray(["CELL", cell.x, cell.y, map.get_cellv(cell), place.x, place.y])
		print(fields.join("\t"))
	map.free()
	quit(0)
)";

// Draws %RESOURCE%'s scene with its root at %PLACE% over magenta, and saves the tenth frame
// (the first ones may come before the textures are up) as frame.png.
const char* const kRenderScene = R"(extends SceneTree

var frames = 0

func _init():
	VisualServer.set_default_clear_color(Color(1, 0, 1))
	var scene = load("%RESOURCE%").instance()
	scene.position = Vector2(%PLACE%)
	root.add_child(scene)

func _idle(_delta):
	frames += 1
	if frames == 10:
		var image = root.get_texture().get_data()
		image.flip_y()
		image.save_png("res://frame.png")
		quit(0)
)";

// A texture loads through what the importer made of the picture (the .import file beside it and
// the converted texture under .import/); the server build carries the editor, whose first run
// on a project imports everything in it and quits. On a busy machine it may quit before the
// import is done, so it runs again until the import is whole.
void ImportPictures(const std::filesystem::path& folder) {
    RunGodot(folder, "--editor --quit");
    for (int again = 0; again < 5 && !EveryPictureImported(folder); ++again) {
        RunGodot(folder, "--editor --quit");
    }
}

// Imports the pictures of the project in folder, then runs the script that loads resPath into
// `tileset` and goes on with body, and returns what it printed.
std::string RunScript(const std::filesystem::path& folder, const std::string& resPath,
                      const std::string& body, const char* start = kLoadTileset) {
    std::string script = start + body;
    if (!std::filesystem::exists(folder / "project.godot")) {
        std::ofstream(folder / "project.godot") << "config_version=4\n";
    }
    // A texture loads through what the importer made of the picture (the .import file beside it
    // and the converted texture under .import/); the server build carries the editor, whose
    // first run on a project imports everything in it and quits. On a busy machine it may quit
    // before the import is done, so it runs again until the import is whole.
    ImportPictures(folder);
    for (std::size_t at; (at = script.find("%RESOURCE%")) != std::string::npos;) {
        script.replace(at, 10, resPath);
    }
    std::ofstream(folder / "mosaren_test.gd") << script;
    return RunGodot(folder, "--script res://mosaren_test.gd");
}

Godot3Tile ParseTile(const std::string& line) {
    const std::vector<std::string> fields = Fields(line, 13);
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
    std::vector<Godot3Tile> tiles;
    for (const std::string& line : Tagged(RunScript(folder, resPath, kPrintTiles), "TILE")) {
        tiles.push_back(ParseTile(line));
    }
    return tiles;
}

std::vector<Godot3Cell> PaintGodot3Map(const std::filesystem::path& folder,
                                       const std::string& resPath, int cellWidth, int cellHeight,
                                       const std::vector<Godot3Cell>& cells) {
    std::string script = kPaintMap;
    std::string list;
    for (const Godot3Cell& cell : cells) {
        list += (list.empty() ? "" : ", ") + std::string("Vector3(") + std::to_string(cell.x) +
                ", " + std::to_string(cell.y) + ", " + std::to_string(cell.tile) + ")";
    }
    script.replace(script.find("%CELLS%"), 7, list);
    script.replace(script.find("%CELL_SIZE%"), 11,
                   std::to_string(cellWidth) + ", " + std::to_string(cellHeight));
    std::vector<Godot3Cell> painted;
    for (const std::string& line : Tagged(RunScript(folder, resPath, script), "CELL")) {
        const std::vector<std::string> fields = Fields(line, 6);
        painted.push_back({std::stoi(fields[1]), std::stoi(fields[2]), std::stoi(fields[3]),
                           std::stoi(fields[4]), std::stoi(fields[5])});
    }
    return painted;
}

Godot3Scene LoadGodot3Scene(const std::filesystem::path& folder, const std::string& resPath) {
    const std::string output = RunScript(folder, resPath, "", kPrintScene);
    const std::vector<std::string> maps = Tagged(output, "MAP");
    if (maps.size() != 1) throw std::runtime_error("no TileMap reported:\n" + output);
    const std::vector<std::string> map = Fields(maps.front(), 6);
    Godot3Scene scene;
    scene.mode = std::stoi(map[1]);
    scene.cellWidth = std::stoi(map[2]);
    scene.cellHeight = std::stoi(map[3]);
    scene.tileOrigin = std::stoi(map[4]);
    scene.filtered = map[5] == "1";
    for (const std::string& line : Tagged(output, "CELL")) {
        const std::vector<std::string> fields = Fields(line, 6);
        scene.cells.push_back({std::stoi(fields[1]), std::stoi(fields[2]), std::stoi(fields[3]),
                               std::stoi(fields[4]), std::stoi(fields[5])});
    }
    return scene;
}

std::string Godot3Renderer() { return MOSAREN_GODOT3_RENDERER; }

std::filesystem::path RenderGodot3Scene(const std::filesystem::path& folder,
                                        const std::string& resPath, int width, int height, int x,
                                        int y) {
    // GLES2 draws 8-bit colours as they are; GLES3's 2D goes through a buffer that moves some
    // by one step.
    std::ofstream(folder / "project.godot")
        << "config_version=4\n\n[display]\n\nwindow/size/width=" << width
        << "\nwindow/size/height=" << height
        << "\n\n[rendering]\n\nquality/driver/driver_name=\"GLES2\"\n";
    ImportPictures(folder);
    std::string script = kRenderScene;
    script.replace(script.find("%RESOURCE%"), 10, resPath);
    script.replace(script.find("%PLACE%"), 7, std::to_string(x) + ", " + std::to_string(y));
    std::ofstream(folder / "mosaren_render.gd") << script;
    // Mesa's software rasteriser, so that the frame does not depend on a graphics card.
    RunGodot(folder, "--script res://mosaren_render.gd",
             "env LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s '-screen 0 1024x768x24' " +
                 Quoted(Godot3Renderer()));
    return folder / "frame.png";
}

}  // namespace mosaren::testing
