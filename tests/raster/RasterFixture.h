#pragma once
// Test files for the raster layer, written by the tests themselves with Qt
// or GraphicsMagick into a private temporary folder.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class RasterFixture : public ::testing::Test {
protected:
    void TearDown() override;

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Writes image with Qt's writer for format; dpi > 0 is stored in the file.
    QString WriteQt(const QImage& image, const QString& name, const char* format, int dpi = 0) const;
    // Writes image with GraphicsMagick's coder magick ("PCX", "SUN", "JNG"...).
    QString WriteMagick(const QImage& image, const QString& name, const char* magick, int dpi = 0) const;
    QString WriteBytes(const QString& name, const QByteArray& bytes) const;
    static QByteArray ReadBytes(const QString& path);

    // Four quadrants: red, green, blue, white (top-left, top-right,
    // bottom-left, bottom-right), opaque.
    static QImage Quadrants(int width, int height, QImage::Format format = QImage::Format_RGB32);
    // Expects image to show Quadrants' colours, within tolerance per channel.
    static void ExpectQuadrants(const QImage& image, int tolerance = 0);

private:
    QTemporaryDir m_dir;
};

// Little-endian field writers for byte-array fixtures.
void PutLe16(QByteArray& bytes, int at, quint16 value);
void PutLe32(QByteArray& bytes, int at, quint32 value);
void PutBe32(QByteArray& bytes, int at, quint32 value);
