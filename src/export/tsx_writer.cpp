#include "tsx_writer.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>
#include <cstdio>
#include <filesystem>

#include "raster/file_replacement.h"
#include "text_name.h"

namespace mosaren {

namespace {

// The TMX format version whose documentation this file follows. No tiledversion is written:
// that attribute names the Tiled release that saved a file, and none did.
const char* const kFormatVersion = "1.10";

QString XmlText(const std::string& bytes) {
    RequireTextName(bytes, "a TSX file");
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void WriteNumber(QXmlStreamWriter& writer, const char* name, std::int32_t value) {
    writer.writeAttribute(QString::fromLatin1(name), QString::number(value));
}

void WriteImage(QXmlStreamWriter& writer, const TsxImage& image, const std::string& trans) {
    writer.writeEmptyElement(QStringLiteral("image"));
    writer.writeAttribute(QStringLiteral("source"), XmlText(image.source));
    if (!trans.empty()) writer.writeAttribute(QStringLiteral("trans"), XmlText(trans));
    WriteNumber(writer, "width", image.width);
    WriteNumber(writer, "height", image.height);
}

}  // namespace

std::string TsxText(const TsxTileset& tileset) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("tileset"));
    writer.writeAttribute(QStringLiteral("version"), QString::fromLatin1(kFormatVersion));
    writer.writeAttribute(QStringLiteral("name"), XmlText(tileset.name));
    WriteNumber(writer, "tilewidth", tileset.geometry.width);
    WriteNumber(writer, "tileheight", tileset.geometry.PictureHeight());
    WriteNumber(writer, "spacing", tileset.spacing);
    WriteNumber(writer, "margin", tileset.margin);
    WriteNumber(writer, "tilecount", tileset.tileCount);
    WriteNumber(writer, "columns", tileset.columns);

    writer.writeEmptyElement(QStringLiteral("grid"));
    writer.writeAttribute(QStringLiteral("orientation"), QStringLiteral("isometric"));
    WriteNumber(writer, "width", tileset.geometry.width);
    WriteNumber(writer, "height", tileset.geometry.footprintHeight);

    if (tileset.sheet) {
        WriteImage(writer, *tileset.sheet, tileset.transparentColour);
    }
    for (std::size_t id = 0; id < tileset.tiles.size(); ++id) {
        writer.writeStartElement(QStringLiteral("tile"));
        WriteNumber(writer, "id", static_cast<std::int32_t>(id));
        WriteImage(writer, tileset.tiles[id], tileset.transparentColour);
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml.toStdString() + "\n";
}

std::string RelativePath(const std::string& file, const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path target = fs::weakly_canonical(fs::absolute(file));
    const fs::path base = fs::weakly_canonical(fs::absolute(folder.empty() ? "." : folder));
    return target.lexically_relative(base).generic_string();
}

void WriteTsxFile(TsxTileset tileset, const std::string& fileName) {
    const std::string folder = std::filesystem::path(fileName).parent_path().string();
    if (tileset.sheet) tileset.sheet->source = RelativePath(tileset.sheet->source, folder);
    for (TsxImage& image : tileset.tiles) image.source = RelativePath(image.source, folder);
    const std::string text = TsxText(tileset);
    ReplaceFileWithBytes(fileName, text.data(), text.size());
}

std::string HexColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    char text[7];
    std::snprintf(text, sizeof text, "%02x%02x%02x", red, green, blue);
    return text;
}

}  // namespace mosaren
