#pragma once

// A TSX file parsed back with Qt's XML reader: the attributes of <tileset> and <grid>, each
// <image> with the id of the <tile> it belongs to (-1 for the tileset's own image), and the
// attributes of each <wangset> with those of its <wangcolor> and <wangtile> elements.

#include <QString>
#include <QXmlStreamReader>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace mosaren::testing {

using XmlAttributes = std::map<std::string, std::string>;

struct TsxImageEntry {
    int tileId = -1;
    XmlAttributes attributes;
};

struct TsxWangSet {
    XmlAttributes attributes;
    std::vector<XmlAttributes> colours;
    std::vector<XmlAttributes> tiles;
};

struct TsxContent {
    XmlAttributes tileset;
    XmlAttributes grid;
    std::vector<TsxImageEntry> images;
    int tileElements = 0;
    std::vector<TsxWangSet> wangSets;

    int Number(const XmlAttributes& attributes, const std::string& name) const {
        return std::stoi(attributes.at(name));
    }
    int Tileset(const std::string& name) const { return Number(tileset, name); }
};

inline TsxContent ParseTsx(const std::string& text) {
    QXmlStreamReader reader(QByteArray::fromStdString(text));
    TsxContent content;
    int tileId = -1;
    auto attributesOf = [&reader] {
        XmlAttributes attributes;
        for (const QXmlStreamAttribute& attribute : reader.attributes()) {
            attributes[attribute.name().toString().toStdString()] =
                attribute.value().toString().toStdString();
        }
        return attributes;
    };
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QString name = reader.name().toString();
            if (name == QStringLiteral("tileset")) {
                content.tileset = attributesOf();
            } else if (name == QStringLiteral("grid")) {
                content.grid = attributesOf();
            } else if (name == QStringLiteral("tile")) {
                ++content.tileElements;
                tileId = std::stoi(attributesOf().at("id"));
            } else if (name == QStringLiteral("image")) {
                content.images.push_back({tileId, attributesOf()});
            } else if (name == QStringLiteral("wangsets")) {
                if (!content.wangSets.empty()) throw std::runtime_error("a second <wangsets>");
            } else if (name == QStringLiteral("wangset")) {
                content.wangSets.push_back({attributesOf(), {}, {}});
            } else if (name == QStringLiteral("wangcolor") && !content.wangSets.empty()) {
                content.wangSets.back().colours.push_back(attributesOf());
            } else if (name == QStringLiteral("wangtile") && !content.wangSets.empty()) {
                content.wangSets.back().tiles.push_back(attributesOf());
            } else {
                throw std::runtime_error("unexpected element " + name.toStdString());
            }
        } else if (reader.isEndElement() && reader.name() == QStringLiteral("tile")) {
            tileId = -1;
        }
    }
    if (reader.hasError()) {
        throw std::runtime_error("TSX does not parse: " + reader.errorString().toStdString());
    }
    return content;
}

}  // namespace mosaren::testing
