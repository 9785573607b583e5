// The plain functions, reached the way a C client reaches them: by their
// undecorated names in the library's dynamic symbol table.
#include "owutil/OwUtilC.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <zlib.h>

namespace {

class PlainExports : public testing::Test {
protected:
    void SetUp() override
    {
        const QString path =
            QDir(QCoreApplication::applicationDirPath() + "/../lib").filePath("libOwUtil.so");
        m_library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_library, nullptr) << dlerror();
    }
    void TearDown() override
    {
        if (m_library)
            dlclose(m_library);
    }

    template <class F>
    F get(const char* name)
    {
        void* symbol = dlsym(m_library, name);
        EXPECT_NE(symbol, nullptr) << name;
        return reinterpret_cast<F>(symbol);
    }

    void* m_library = nullptr;
};

using FormatFn = char* (*)(char*, int, const char*, va_list);

char* callFormat(FormatFn fn, char* buffer, int size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char* result = fn(buffer, size, format, args);
    va_end(args);
    return result;
}

} // namespace

TEST_F(PlainExports, Paths)
{
    auto determine = get<char* (*)(char*, const char*)>("DetermineRelativePath");
    auto resolve = get<char* (*)(char*, const char*)>("ResolveRelativePath");
    ASSERT_TRUE(determine && resolve);
    char path[OWUTIL_PATH_BUFFER] = "/a/b/c/f.txt";
    EXPECT_STREQ(determine(path, "/a/x"), "../b/c/f.txt");
    EXPECT_STREQ(resolve(path, "/a/x"), "/a/b/c/f.txt");
}

TEST_F(PlainExports, Format)
{
    auto format = get<FormatFn>("FormatVStr");
    ASSERT_TRUE(format);
    char buffer[32];
    EXPECT_STREQ(callFormat(format, buffer, sizeof buffer, "%s=%d (%.1f)", "x", 4, 0.26), "x=4 (0.3)");
}

TEST_F(PlainExports, Base64Buffers)
{
    auto createEncoding = get<int (*)(int, char**)>("CreateMatchingEncodingBuffer");
    auto encode = get<void (*)(const unsigned char*, unsigned, char*)>("EncodeBuffer");
    auto createDecoding = get<int (*)(const char*, unsigned char**)>("CreateMatchingDecodingBuffer");
    auto decode = get<int (*)(const char*, unsigned char*)>("DecodeBuffer");
    auto release = get<void (*)(void**)>("DeleteMatchingBuffer");
    ASSERT_TRUE(createEncoding && encode && createDecoding && decode && release);

    const unsigned char data[] = "Lumivue";
    char* text = nullptr;
    EXPECT_EQ(createEncoding(7, &text), 13);
    encode(data, 7, text);
    EXPECT_STREQ(text, "THVtaXZ1ZQ==");
    unsigned char* bytes = nullptr;
    EXPECT_EQ(createDecoding(text, &bytes), 7);
    EXPECT_EQ(decode(text, bytes), 7);
    EXPECT_EQ(std::memcmp(bytes, data, 7), 0);
    release(reinterpret_cast<void**>(&text));
    release(reinterpret_cast<void**>(&bytes));
    EXPECT_EQ(text, nullptr);
}

TEST_F(PlainExports, Base64Files)
{
    auto encodeFile = get<int (*)(const char*, const char*)>("EncodeFile");
    auto decodeFile = get<int (*)(const char*, const char*)>("DecodeFile");
    ASSERT_TRUE(encodeFile && decodeFile);
    const QByteArray home = QFile::encodeName(QDir::homePath());
    const QByteArray in = home + "/plain.bin", text = home + "/plain.b64", out = home + "/plain.out";
    QFile f(QString::fromUtf8(in));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("plain exports");
    f.close();
    EXPECT_EQ(encodeFile(in.constData(), text.constData()), 0);
    EXPECT_EQ(decodeFile(text.constData(), out.constData()), 0);
    QFile result(QString::fromUtf8(out));
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), "plain exports");
}

TEST_F(PlainExports, Compression)
{
    auto compress = get<int (*)(const unsigned char*, int, unsigned char*, int)>("OXCompress");
    auto expand = get<int (*)(const unsigned char*, int, unsigned char*, int)>("OXExpand");
    ASSERT_TRUE(compress && expand);
    const unsigned char data[] = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa";
    unsigned char packed[100], unpacked[100];
    const int n = compress(data, 50, packed, sizeof packed);
    ASSERT_GT(n, 0);
    // Any zlib reader expands it.
    uLongf length = sizeof unpacked;
    EXPECT_EQ(uncompress(unpacked, &length, packed, uLong(n)), Z_OK);
    EXPECT_EQ(length, 50u);
    EXPECT_EQ(expand(packed, n, unpacked, sizeof unpacked), 50);
    EXPECT_EQ(std::memcmp(unpacked, data, 50), 0);
}

TEST_F(PlainExports, TipOfTheDayWithoutItsFileReturnsOkAndLeavesTheCallersValues)
{
    auto tip = get<int (*)(void*, const char*, int*, int*, char*, int)>("TipOfTheDay");
    auto dateTime = get<int (*)(void*, const char*, uint32_t*)>("DateTimeDlg");
    ASSERT_TRUE(tip && dateTime);
    int position = 12;
    int startup = 0;
    char stamp[32] = "Mon Jan  1 00:00:00 2024";
    const QByteArray missing = QFile::encodeName(QDir::homePath()) + "/no such tips.txt";
    EXPECT_EQ(tip(nullptr, missing.constData(), &position, &startup, stamp, int(sizeof stamp)), 1);
    EXPECT_EQ(position, 12);
    EXPECT_EQ(startup, 0);
    EXPECT_STREQ(stamp, "Mon Jan  1 00:00:00 2024");
    EXPECT_EQ(tip(nullptr, nullptr, nullptr, nullptr, nullptr, 0), 1);
}
