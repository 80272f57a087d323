#pragma once

// The values of a TSX file's XML, shared by the writers of its parts.

#include <QString>
#include <cstdint>
#include <string>

class QXmlStreamWriter;

namespace mosaren {

// A name as XML text. Raises EInvalidOperation for one that is not UTF-8 text without control
// characters.
QString XmlText(const std::string& bytes);

// name="value" on the element being written.
void WriteNumber(QXmlStreamWriter& writer, const char* name, std::int32_t value);

}  // namespace mosaren
