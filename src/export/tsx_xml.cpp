#include "tsx_xml.h"

#include <QXmlStreamWriter>

#include "text_name.h"

namespace mosaren {

QString XmlText(const std::string& bytes) {
    RequireTextName(bytes, "a TSX file");
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void WriteNumber(QXmlStreamWriter& writer, const char* name, std::int32_t value) {
    writer.writeAttribute(QString::fromLatin1(name), QString::number(value));
}

}  // namespace mosaren
