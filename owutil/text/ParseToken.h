#pragma once
// Splitting texts made of a name, an optional signed number and an optional
// parenthesised list, such as "Size -12, next" or "Name (p, \"q,r\", s)".
#include <QString>
#include <vector>

namespace OwUtil {

// Splits the first token off text (trimmed) and stores it in token, and the
// text after the delimiter in rest (not trimmed; empty when nothing follows).
//  - With number given, a "+" or "-" after the token's first character ends
//    the token; the digits after it (blanks allowed in between) are stored in
//    number, negated for "-" (0 without digits; number is 0 when there is no sign).
//  - With list given, "(" ends the token; the comma-separated items up to ")"
//    are appended to list, trimmed. An item in double quotes may hold commas
//    and parentheses, "\" taking the next character literally; empty unquoted
//    items are dropped.
//  - A double quote starts the token after it; the token ends at the next
//    double quote ("\" steps over a character and stays in the token).
//  - The scan stops at the delimiter (any character, also "," or a sign).
// Always returns true.
bool ParseToken(const QString& text, QString& token, QString& rest, char delimiter, int* number = nullptr,
                std::vector<QString>* list = nullptr);

} // namespace OwUtil
