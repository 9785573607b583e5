#pragma once
// Reads one named section of an ELF file (32 or 64 bits, either byte order)
// without loading it: the stand-in for reading a resource from a module's
// file. Every offset and size is checked against the file, so a damaged or
// hostile file gives false, never a crash or an unbounded allocation.
#include <QByteArray>
#include <QString>

class QIODevice;

// The contents of the section called name. False when the device is no ELF
// file, has no such section (or one without contents in the file), or when
// the section is larger than maxSize bytes.
bool ReadElfSection(QIODevice& device, const QByteArray& name, QByteArray& contents, qint64 maxSize);
bool ReadElfSection(const QString& fileName, const QByteArray& name, QByteArray& contents, qint64 maxSize);
