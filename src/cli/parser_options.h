#pragma once

// Every option mosaren-cli takes, as Qt's command-line parser knows it: one object each, which
// both declare the option to the parser and ask the parser about it.

#include <QCommandLineOption>
#include <QList>
#include <cstdint>
#include <string>
#include <vector>

#include "export/run_files.h"

class QCommandLineParser;

namespace mosaren::cli {

struct ParserOptions {
    ParserOptions();

    QCommandLineOption help;
    QCommandLineOption version;
    // Tile making.
    QCommandLineOption mask;
    QCommandLineOption size;
    QCommandLineOption pieces;
    QCommandLineOption depth;
    QCommandLineOption filter;
    // The engine outputs.
    QCommandLineOption format;
    // One for each row of OutputKinds(), in its order.
    std::vector<QCommandLineOption> outputs;
    // The settings of the sheet's layout and of the Godot tile sets.
    QCommandLineOption columns;
    QCommandLineOption margin;
    QCommandLineOption spacing;
    QCommandLineOption extrude;
    QCommandLineOption godotRoot;
    // Blocks and walls.
    QCommandLineOption block;
    QCommandLineOption faces;
    QCommandLineOption shade;
    QCommandLineOption leftTexture;
    QCommandLineOption rightTexture;
    // Transition tiles.
    QCommandLineOption edge;
    QCommandLineOption seed;
    QCommandLineOption variants;
    QCommandLineOption feather;
    // The run.
    QCommandLineOption keepGoing;
    QCommandLineOption overwriteInputs;
    QCommandLineOption jobs;
    QCommandLineOption quiet;
    // Where the outputs go, and what a folder of textures holds.
    QCommandLineOption outDir;
    QCommandLineOption recursive;
    // The project build.
    QCommandLineOption force;
    QCommandLineOption watch;

    // All of them, in the order --help lists them.
    QList<QCommandLineOption> All() const;
    // The option of the output of that role.
    const QCommandLineOption& Output(RunFileRole role) const;
};

// "--" and the option's long name, as messages name it.
std::string Spelling(const QCommandLineOption& option);

// The option's value, byte for byte as it was given.
std::string Value(const QCommandLineParser& parser, const QCommandLineOption& option);

// A file name option's value. Raises EUsageError for an empty one, which names no file.
std::string FileName(const QCommandLineParser& parser, const QCommandLineOption& option);

// A whole number option's value, from low to high. Raises EUsageError naming the option and the
// range for any other text.
std::int32_t WholeNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                         std::int32_t low, std::int32_t high);

}  // namespace mosaren::cli
