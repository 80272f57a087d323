#pragma once

// The tile project as Mosaren Studio edits it: the command line's project file (project_content.h)
// with one set of textures ("tiles") and, when asked for, one set of transition tiles
// ("transitions"), which the Studio's controls read and write. A project opened from a file may
// hold more; the Studio shows the first set of each kind and keeps the rest as they are.
//
// In memory, texture names are absolute; the file holds them relative to its folder, where the
// build runs, so that the project moves with its textures.

#include <string>
#include <vector>

#include "cli/project_content.h"

namespace mosaren::studio {

inline constexpr const char* kTilesSet = "tiles";
inline constexpr const char* kTransitionsSet = "transitions";

// The output files a set may write, by key; each is named after its set when switched on.
inline constexpr const char* kOutputKeys[] = {"sheet", "tsx", "godot", "godot3", "map-preview"};
// The starter maps a set may write, by suffix (the map key holds a list of them); each is named
// after its set when switched on: tiles.tmx, transitions.tscn, ...
inline constexpr const char* kMapKinds[] = {"tmx", "tmj", "tscn"};
// The keys of a sheet's layout, which go with the sheet in each set.
inline constexpr const char* kSheetLayoutKeys[] = {"columns", "margin", "spacing", "extrude"};

class StudioProject {
public:
    // A new project: tiles in "tiles/", a texture that cannot be read reported and left out while
    // the others are made.
    StudioProject();

    // Raises the program's exception naming the file, as ReadProjectContent does.
    static StudioProject Open(const std::string& file);
    // Writes the file (names relative to its folder) and takes it as the project's file.
    void SaveAs(const std::string& file);

    const std::string& File() const { return mFile; }
    // The folder names are relative to: the file's, or the current folder before it has one.
    std::string Folder() const;

    const cli::ProjectContent& Content() const { return mContent; }

    std::vector<std::string> Textures() const;
    void SetTextures(const std::vector<std::string>& textures);

    // A key that shapes every tile or names where they go (size, mask, format, out-dir) lives at
    // the top; the others in the tiles set. The value a set sees: its own, else the top's.
    std::string Value(const std::string& key) const;
    void SetValue(const std::string& key, const std::string& value);

    // Whether the output (a kOutputKeys entry) is written; switching it on names it after each
    // set (tiles.png, transitions.tsx, ...) unless the set names it already.
    bool Output(const std::string& key) const;
    void SetOutput(const std::string& key, bool on);
    // Whether a starter map of the kind (a kMapKinds entry) is written; switching it on adds one
    // named after each set unless the set names one of that kind already, switching it off
    // takes every map of the kind out of the list. The other maps keep their places.
    bool Map(const std::string& kind) const;
    void SetMap(const std::string& kind, bool on);
    // A sheet layout key, the same in every set the Studio edits.
    void SetLayout(const std::string& key, const std::string& value);

    // The transition tiles between two terrain textures; none when either is empty.
    struct Transitions {
        std::string terrainA;
        std::string terrainB;
        std::string edge;      // empty: straight
        std::string seed;      // empty: 1
        std::string variants;  // empty: 1
        std::string filter;    // empty: nearest
        std::string feather;   // with the smooth filter; empty: the command line's default
    };
    Transitions TransitionTiles() const;
    void SetTransitionTiles(const Transitions& transitions);

    // The keys of a set as the command line of its preview takes them: the top's, then the
    // set's own, less those that name outputs or say how to run.
    cli::ProjectKeys ShapingKeys(const std::string& setName) const;

    // The content with names relative to folder, as the file holds it.
    cli::ProjectContent ContentRelativeTo(const std::string& folder) const;

private:
    cli::ProjectContentSet& TilesSet();
    const cli::ProjectContentSet* FindSet(const std::string& name) const;
    cli::ProjectContentSet* FindSet(const std::string& name);
    std::vector<cli::ProjectContentSet*> EditedSets();

    std::string mFile;
    cli::ProjectContent mContent;
};

}  // namespace mosaren::studio
