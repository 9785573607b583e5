#include "owutil/OwUtilC.h"

#include "tests/common/TestEnvironment.h"

#include <QByteArray>
#include <QFile>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

std::string encode(const QByteArray& data)
{
    char* text = nullptr;
    const int size = CreateMatchingEncodingBuffer(int(data.size()), &text);
    EXPECT_GT(size, 0);
    EncodeBuffer(reinterpret_cast<const unsigned char*>(data.constData()), unsigned(data.size()), text);
    EXPECT_EQ(text[size - 1], '\0');
    std::string result(text);
    DeleteMatchingBuffer(reinterpret_cast<void**>(&text));
    EXPECT_EQ(text, nullptr);
    return result;
}

QByteArray decode(const char* text)
{
    unsigned char* data = nullptr;
    const int size = CreateMatchingDecodingBuffer(text, &data);
    const int n = DecodeBuffer(text, data);
    EXPECT_LE(n, size);
    QByteArray result(reinterpret_cast<const char*>(data), n);
    DeleteMatchingBuffer(reinterpret_cast<void**>(&data));
    return result;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

} // namespace

TEST(Base64, EncodedSizes)
{
    const struct {
        int length;
        int size;
    } cases[] = {{0, 1}, {1, 5}, {3, 5}, {4, 9}, {57, 79}, {58, 83}, {114, 157}};
    for (const auto& c : cases) {
        char* buffer = nullptr;
        EXPECT_EQ(CreateMatchingEncodingBuffer(c.length, &buffer), c.size) << c.length;
        DeleteMatchingBuffer(reinterpret_cast<void**>(&buffer));
    }
    char* buffer = reinterpret_cast<char*>(1);
    EXPECT_EQ(CreateMatchingEncodingBuffer(-1, &buffer), 0);
    EXPECT_EQ(buffer, nullptr);
    // The encoded size of INT_MAX bytes does not fit an int: refused, no overflow.
    EXPECT_EQ(CreateMatchingEncodingBuffer(INT_MAX, &buffer), 0);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(CreateMatchingEncodingBuffer(10, nullptr), 0);
    DeleteMatchingBuffer(nullptr);
}

TEST(Base64, MimeLinesAndPadding)
{
    EXPECT_EQ(encode(""), "");
    EXPECT_EQ(encode("M"), "TQ==");
    EXPECT_EQ(encode("Ma"), "TWE=");
    EXPECT_EQ(encode("Man"), "TWFu");
    EXPECT_EQ(encode(QByteArray("\xFB\xFF\xBF", 3)), "+/+/");

    const QByteArray data57(57, 'x');
    const std::string line = encode(data57);
    ASSERT_EQ(line.size(), 78u);
    EXPECT_EQ(line.substr(76), "\r\n"); // a full line ends with CR LF, also the last one
    EXPECT_EQ(line.substr(0, 76), data57.toBase64().toStdString());

    const std::string two = encode(QByteArray(58, 'x'));
    EXPECT_EQ(two.substr(0, 78), line);
    EXPECT_EQ(two.substr(78), "eA==");
}

TEST(Base64, EveryByteValueRoundTrips)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    for (int length : {0, 1, 2, 3, 56, 57, 58, 256}) {
        const QByteArray data = all.left(length);
        const std::string text = encode(data);
        EXPECT_EQ(decode(text.c_str()), data) << length;
        // The same bytes as any MIME decoder gives.
        EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(text)), data);
    }
}

TEST(Base64, DecodingPassesOverEverythingElse)
{
    EXPECT_EQ(decode("TWFu\r\nTWE=\r\n"), "ManMa");
    EXPECT_EQ(decode(" T W\tF u \r\n T Q = = "), "ManM");
    EXPECT_EQ(decode("T!W@F#u$"), "Man");
    EXPECT_EQ(decode(""), "");
    EXPECT_EQ(DecodeBuffer(nullptr, nullptr), 0);
}

TEST(Base64, AnIncompleteLastGroupIsDropped)
{
    EXPECT_EQ(decode("TWFuTW"), "Man");
    EXPECT_EQ(decode("TWFuT"), "Man");
    EXPECT_EQ(decode("TQ="), "");
    // Padding that belongs to no complete group must not shrink the buffer
    // below what the decoder writes.
    EXPECT_EQ(decode("TWFuTWFu=="), "ManMan");
    EXPECT_EQ(decode("TWFu\n=="), "Man");
}

TEST(Base64, DecodedBufferSizes)
{
    const struct {
        const char* text;
        int size;
    } cases[] = {{"", 0},         {"TQ==", 1},     {"TWE=", 2},  {"TWFu", 3},
                 {"TWFuTWFu", 6}, {"TWFu\r\n", 3}, {"TWFu==", 3}};
    for (const auto& c : cases) {
        unsigned char* buffer = nullptr;
        EXPECT_EQ(CreateMatchingDecodingBuffer(c.text, &buffer), c.size) << c.text;
        EXPECT_NE(buffer, nullptr);
        DeleteMatchingBuffer(reinterpret_cast<void**>(&buffer));
    }
    unsigned char* buffer = nullptr;
    EXPECT_EQ(CreateMatchingDecodingBuffer(nullptr, &buffer), 0);
    EXPECT_EQ(buffer, nullptr);
}

TEST(Base64File, EncodeAndDecodeFiles)
{
    const QString home = testenv::Home();
    QByteArray data;
    for (int i = 0; i < 1000; ++i)
        data += char(i * 7);
    writeFile(home + "/in.bin", data);
    const QByteArray in = QFile::encodeName(home + "/in.bin");
    const QByteArray text = QFile::encodeName(home + "/in.b64");
    const QByteArray out = QFile::encodeName(home + "/out.bin");

    ASSERT_EQ(EncodeFile(in.constData(), text.constData()), OWUTIL_FILE_DONE);
    const QByteArray encoded = readFile(home + "/in.b64");
    EXPECT_EQ(encoded.count("\r\n"), 1000 / 57);
    EXPECT_FALSE(encoded.endsWith("\r\n")); // the last, shorter piece has no line break
    EXPECT_EQ(QByteArray::fromBase64(QByteArray(encoded).replace("\r\n", "")), data);

    ASSERT_EQ(DecodeFile(text.constData(), out.constData()), OWUTIL_FILE_DONE);
    EXPECT_EQ(readFile(home + "/out.bin"), data);
}

TEST(Base64File, GroupsMaySpanLinesAndPieces)
{
    const QString home = testenv::Home();
    // One long line of 100000 groups, then groups broken over lines.
    QByteArray data(75000, 'q');
    QByteArray text = data.toBase64() + "\nTW\nFu\r\nTQ=\n=\n";
    writeFile(home + "/long.b64", text);
    const QByteArray in = QFile::encodeName(home + "/long.b64");
    const QByteArray out = QFile::encodeName(home + "/long.bin");
    ASSERT_EQ(DecodeFile(in.constData(), out.constData()), OWUTIL_FILE_DONE);
    EXPECT_EQ(readFile(home + "/long.bin"), data + "ManM");
}

TEST(Base64File, ResultCodes)
{
    const QString home = testenv::Home();
    const QByteArray missing = QFile::encodeName(home + "/missing.bin");
    const QByteArray output = QFile::encodeName(home + "/never.b64");
    EXPECT_EQ(EncodeFile(missing.constData(), output.constData()), OWUTIL_FILE_DONE);
    EXPECT_FALSE(QFile::exists(home + "/never.b64"));
    EXPECT_EQ(DecodeFile(missing.constData(), output.constData()), OWUTIL_FILE_DONE);
    EXPECT_FALSE(QFile::exists(home + "/never.b64"));

    writeFile(home + "/small.bin", "abc");
    const QByteArray small = QFile::encodeName(home + "/small.bin");
    const QByteArray noFolder = QFile::encodeName(home + "/no/such/folder/x.b64");
    EXPECT_EQ(EncodeFile(small.constData(), noFolder.constData()), OWUTIL_FILE_NO_OUTPUT);
    EXPECT_EQ(DecodeFile(small.constData(), noFolder.constData()), OWUTIL_FILE_NO_OUTPUT);
    EXPECT_EQ(EncodeFile(nullptr, output.constData()), OWUTIL_FILE_DONE);

    // An existing output is replaced.
    writeFile(home + "/old.b64", "old content that is longer than the new one");
    const QByteArray old = QFile::encodeName(home + "/old.b64");
    EXPECT_EQ(EncodeFile(small.constData(), old.constData()), OWUTIL_FILE_DONE);
    EXPECT_EQ(readFile(home + "/old.b64"), "YWJj");
    // An empty input gives an empty output.
    writeFile(home + "/empty.bin", "");
    const QByteArray empty = QFile::encodeName(home + "/empty.bin");
    EXPECT_EQ(EncodeFile(empty.constData(), output.constData()), OWUTIL_FILE_DONE);
    EXPECT_EQ(readFile(home + "/never.b64"), "");
}

TEST(Compress, RoundTripAndResultCodes)
{
    QByteArray data;
    for (int i = 0; i < 10000; ++i)
        data += char('a' + i % 7);
    const auto* in = reinterpret_cast<const unsigned char*>(data.constData());
    std::vector<unsigned char> packed(20000), unpacked(20000);

    const int n = OXCompress(in, int(data.size()), packed.data(), int(packed.size()));
    ASSERT_GT(n, 0);
    EXPECT_LT(n, data.size() / 10);
    EXPECT_EQ(OXExpand(packed.data(), n, unpacked.data(), int(unpacked.size())), data.size());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(unpacked.data()), data.size()), data);

    // No room: 0, for both directions.
    EXPECT_EQ(OXCompress(in, int(data.size()), packed.data(), 5), 0);
    EXPECT_EQ(OXExpand(packed.data(), n, unpacked.data(), 100), 0);
    // Truncated or foreign data: 0.
    EXPECT_EQ(OXExpand(packed.data(), n - 1, unpacked.data(), int(unpacked.size())), 0);
    EXPECT_EQ(OXExpand(in, 100, unpacked.data(), int(unpacked.size())), 0);
    // Invalid arguments: 0.
    EXPECT_EQ(OXCompress(nullptr, 10, packed.data(), 100), 0);
    EXPECT_EQ(OXCompress(in, -1, packed.data(), 100), 0);
    EXPECT_EQ(OXExpand(packed.data(), n, nullptr, 100), 0);
    EXPECT_EQ(OXExpand(packed.data(), -5, unpacked.data(), 100), 0);
}
