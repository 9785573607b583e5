#pragma once
// Comparisons and searches over text. In every search a double quote opens a
// section that runs to the next double quote; the characters inside it, and
// the quotes themselves, never match. Positions are zero-based, -1 means
// "not found"; end bounds the search (at most the text's length).
#include <QString>

namespace OwUtil {

// Whether b begins with a, ignoring case; with whole, b must also be exactly as long as a.
bool CmpString(const QString& a, const QString& b, bool whole);

// The index of the last character of the common beginning of a and b
// (compared in upper case unless caseSensitive), -1 when the first characters differ.
int FindLastCompare(const QString& a, const QString& b, bool caseSensitive);

// The first index in [start, end) holding c, outside quoted text.
int Find(const QString& s, int end, char c, int start = 0);
// The first index i in [start, end), outside quoted text, where s[i] is the
// first character of word (exactly) and the count characters from i equal
// the first count characters of word ignoring case.
int Find(const QString& s, int end, const QString& word, int count, int start = 0);

// The first index in [start, end) whose character is (not) in set, outside quoted text.
int FindOneOf(const QString& s, int end, const QString& set, int start = 0);
int FindNotOneOf(const QString& s, int end, const QString& set, int start = 0);

// Backwards from start (-1: from end - 1) down to 0, passing backwards over
// quoted text: the last index whose character is (not) in set.
int RFindOneOf(const QString& s, int end, const QString& set, int start = -1);
int RFindNotOneOf(const QString& s, int end, const QString& set, int start = -1);

} // namespace OwUtil
