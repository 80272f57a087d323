#include "tsx_wang_set.h"

#include <QXmlStreamWriter>

#include "tsx_writer.h"
#include "tsx_xml.h"

namespace mosaren {

namespace {

// Tiled numbers a set's Wang colours from 1; 0 leaves a corner to no colour.
int WangColour(Terrain terrain) { return terrain == Terrain::A ? 1 : 2; }

QString ColourName(TColor colour) {
    return QString::fromStdString("#" + HexColour(RedOf(colour), GreenOf(colour), BlueOf(colour)));
}

}  // namespace

std::string CornerWangId(const TerrainCorners& c) {
    std::string id;
    for (const Terrain corner : {c.topRight, c.bottomRight, c.bottomLeft, c.topLeft}) {
        if (!id.empty()) id += ",";
        id += "0," + std::to_string(WangColour(corner));
    }
    return id;
}

void WriteWangSets(QXmlStreamWriter& writer, const TerrainSet& set) {
    const TerrainLabel& a = set.Label(Terrain::A);
    const TerrainLabel& b = set.Label(Terrain::B);
    writer.writeStartElement(QStringLiteral("wangsets"));
    writer.writeStartElement(QStringLiteral("wangset"));
    writer.writeAttribute(QStringLiteral("name"), XmlText(a.name + " / " + b.name));
    writer.writeAttribute(QStringLiteral("type"), QStringLiteral("corner"));
    // The set's icon in Tiled's list: a tile half of each terrain, A above B.
    WriteNumber(writer, "tile",
                TileWithCorners(set, {Terrain::A, Terrain::A, Terrain::B, Terrain::B}));
    for (const Terrain terrain : {Terrain::A, Terrain::B}) {
        const TerrainLabel& label = set.Label(terrain);
        writer.writeEmptyElement(QStringLiteral("wangcolor"));
        writer.writeAttribute(QStringLiteral("name"), XmlText(label.name));
        writer.writeAttribute(QStringLiteral("color"), ColourName(label.colour));
        // The terrain's icon in the terrain brush: its tile of that terrain alone.
        WriteNumber(writer, "tile", TileWithCorners(set, {terrain, terrain, terrain, terrain}));
        WriteNumber(writer, "probability", 1);
    }
    for (std::size_t id = 0; id < set.tiles.size(); ++id) {
        writer.writeEmptyElement(QStringLiteral("wangtile"));
        WriteNumber(writer, "tileid", static_cast<std::int32_t>(id));
        writer.writeAttribute(QStringLiteral("wangid"),
                              QString::fromStdString(CornerWangId(set.tiles[id])));
    }
    writer.writeEndElement();
    writer.writeEndElement();
}

}  // namespace mosaren
