#include "text_name.h"

#include <QByteArray>
#include <QString>

#include "raster/exceptions.h"

namespace mosaren {

void RequireTextName(const std::string& name, const std::string& where) {
    const QByteArray utf8(name.data(), static_cast<qsizetype>(name.size()));
    bool controls = false;
    for (unsigned char c : name) controls = controls || c < 0x20 || c == 0x7F;
    // Qt's decoder puts a replacement character for each invalid sequence, so only valid UTF-8
    // comes back as the same bytes.
    const QString text = QString::fromUtf8(utf8);
    // U+FFFE and U+FFFF are UTF-8 but no XML character: a writer drops them.
    const bool notXml = text.contains(QChar(0xFFFE)) || text.contains(QChar(0xFFFF));
    if (controls || notXml || text.toUtf8() != utf8) {
        throw EInvalidOperation("Cannot write the name " + name + " into " + where +
                                ": it is not UTF-8 text without control characters and non-characters");
    }
}

}  // namespace mosaren
