#pragma once
// Double quotes around text.
#include <QString>

namespace OwUtil {

// A non-empty s gets a double quote in front and at the end where it has none. Returns s.
QString& PadQuotes(QString& s);
// Removes one leading, then one trailing double quote, where present. Returns s.
QString& StripQuotes(QString& s);
// Text for an XML tag and back: the text stands as it is. Return s.
QString& ToXMLTag(QString& s);
QString& FromXMLTag(QString& s);

} // namespace OwUtil
