#include "tiled_map.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QXmlStreamWriter>
#include <filesystem>

#include "map_preview.h"
#include "raster/file_replacement.h"
#include "tsx_writer.h"
#include "tsx_xml.h"

namespace mosaren {

namespace {

// The TMX format version whose documentation these files follow, as for the tileset.
const char* const kFormatVersion = "1.10";

// Tiled's global tile ids of the map's cells, row by row: the tileset's first id is 1.
std::vector<std::int32_t> CellGids(const RunTileset& run) {
    std::vector<std::int32_t> gids;
    for (const std::size_t tile : run.mapCells) gids.push_back(static_cast<std::int32_t>(tile) + 1);
    return gids;
}

}  // namespace

std::string TmxMapText(const RunTileset& run, const std::string& tsxSource,
                       const std::string& layerName) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("map"));
    writer.writeAttribute(QStringLiteral("version"), QString::fromLatin1(kFormatVersion));
    writer.writeAttribute(QStringLiteral("orientation"), QStringLiteral("isometric"));
    writer.writeAttribute(QStringLiteral("renderorder"), QStringLiteral("right-down"));
    WriteNumber(writer, "width", kMapSide);
    WriteNumber(writer, "height", kMapSide);
    WriteNumber(writer, "tilewidth", run.geometry.width);
    WriteNumber(writer, "tileheight", run.geometry.footprintHeight);
    WriteNumber(writer, "infinite", 0);
    WriteNumber(writer, "nextlayerid", 2);
    WriteNumber(writer, "nextobjectid", 1);

    writer.writeEmptyElement(QStringLiteral("tileset"));
    WriteNumber(writer, "firstgid", 1);
    writer.writeAttribute(QStringLiteral("source"), XmlText(tsxSource));

    writer.writeStartElement(QStringLiteral("layer"));
    WriteNumber(writer, "id", 1);
    writer.writeAttribute(QStringLiteral("name"), XmlText(layerName));
    WriteNumber(writer, "width", kMapSide);
    WriteNumber(writer, "height", kMapSide);
    writer.writeStartElement(QStringLiteral("data"));
    writer.writeAttribute(QStringLiteral("encoding"), QStringLiteral("csv"));
    // One map row a line, as Tiled writes it.
    std::string csv = "\n";
    const std::vector<std::int32_t> gids = CellGids(run);
    for (std::size_t k = 0; k < gids.size(); ++k) {
        csv += std::to_string(gids[k]);
        if (k + 1 < gids.size()) csv += ",";
        if ((k + 1) % kMapSide == 0) csv += "\n";
    }
    writer.writeCharacters(QString::fromStdString(csv));
    writer.writeEndElement();  // data
    writer.writeEndElement();  // layer
    writer.writeEndElement();  // map
    writer.writeEndDocument();
    return xml.toStdString() + "\n";
}

std::string TmjMapText(const RunTileset& run, const std::string& sheetSource,
                       const std::string& layerName) {
    QJsonArray data;
    for (const std::int32_t gid : CellGids(run)) data.append(gid);
    QJsonObject layer{
        {QStringLiteral("type"), QStringLiteral("tilelayer")},
        {QStringLiteral("id"), 1},
        {QStringLiteral("name"), XmlText(layerName)},
        {QStringLiteral("width"), kMapSide},
        {QStringLiteral("height"), kMapSide},
        {QStringLiteral("x"), 0},
        {QStringLiteral("y"), 0},
        {QStringLiteral("opacity"), 1},
        {QStringLiteral("visible"), true},
        {QStringLiteral("data"), data},
    };
    // Raised by the blocks' height: these readers top-align a tall picture on its cell.
    if (run.geometry.rise > 0) layer.insert(QStringLiteral("offsety"), -run.geometry.rise);

    const SheetLayout& sheet = run.layout;
    QJsonObject tileset{
        {QStringLiteral("firstgid"), 1},
        {QStringLiteral("name"),
         XmlText(std::filesystem::path(run.sheet).stem().string())},
        {QStringLiteral("image"), XmlText(sheetSource)},
        {QStringLiteral("imagewidth"), static_cast<qint64>(sheet.Width())},
        {QStringLiteral("imageheight"), static_cast<qint64>(sheet.Height())},
        {QStringLiteral("tilewidth"), run.geometry.width},
        {QStringLiteral("tileheight"), run.geometry.PictureHeight()},
        {QStringLiteral("margin"), sheet.margin},
        {QStringLiteral("spacing"), sheet.spacing},
        {QStringLiteral("columns"), sheet.columns},
        {QStringLiteral("tilecount"), static_cast<qint64>(run.SheetCells())},
        {QStringLiteral("grid"),
         QJsonObject{{QStringLiteral("orientation"), QStringLiteral("isometric")},
                     {QStringLiteral("width"), run.geometry.width},
                     {QStringLiteral("height"), run.geometry.footprintHeight}}},
    };
    if (!run.transparentColour.empty()) {
        tileset.insert(QStringLiteral("transparentcolor"),
                       QString::fromStdString("#" + run.transparentColour));
    }

    const QJsonObject map{
        {QStringLiteral("type"), QStringLiteral("map")},
        {QStringLiteral("version"), QString::fromLatin1(kFormatVersion)},
        {QStringLiteral("orientation"), QStringLiteral("isometric")},
        {QStringLiteral("renderorder"), QStringLiteral("right-down")},
        {QStringLiteral("width"), kMapSide},
        {QStringLiteral("height"), kMapSide},
        {QStringLiteral("tilewidth"), run.geometry.width},
        {QStringLiteral("tileheight"), run.geometry.footprintHeight},
        {QStringLiteral("infinite"), false},
        {QStringLiteral("nextlayerid"), 2},
        {QStringLiteral("nextobjectid"), 1},
        {QStringLiteral("layers"), QJsonArray{layer}},
        {QStringLiteral("tilesets"), QJsonArray{tileset}},
    };
    return QJsonDocument(map).toJson(QJsonDocument::Indented).toStdString();
}

void WriteTiledMap(const RunTileset& run, bool json, const std::string& fileName,
                   const std::string& tsxFile) {
    const std::filesystem::path path(fileName);
    const std::string folder = path.parent_path().string();
    const std::string layer = path.stem().string();
    const std::string text = json ? TmjMapText(run, RelativePath(run.sheet, folder), layer)
                                  : TmxMapText(run, RelativePath(tsxFile, folder), layer);
    ReplaceFileWithBytes(fileName, text.data(), text.size());
}

}  // namespace mosaren
