#pragma once

// Every option mosaren-cli takes, as Qt's command-line parser knows it: one object each, which
// both declare the option to the parser and ask the parser about it.

#include <QCommandLineOption>
#include <QList>
#include <string>

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
    // The engine outputs.
    QCommandLineOption format;
    QCommandLineOption sheet;
    QCommandLineOption columns;
    QCommandLineOption margin;
    QCommandLineOption spacing;
    QCommandLineOption extrude;
    QCommandLineOption tsx;
    QCommandLineOption mapPreview;
    // The run.
    QCommandLineOption keepGoing;
    QCommandLineOption jobs;
    QCommandLineOption quiet;

    // All of them, in the order --help lists them.
    QList<QCommandLineOption> All() const;
};

// "--" and the option's long name, as messages name it.
std::string Spelling(const QCommandLineOption& option);

// The option's value, byte for byte as it was given.
std::string Value(const QCommandLineParser& parser, const QCommandLineOption& option);

}  // namespace mosaren::cli
