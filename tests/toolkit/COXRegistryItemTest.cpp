#include "toolkit/COXRegistryItem.h"

#include "tests/common/TestEnvironment.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

COXRegistryItem item(const QString& keys, const QString& value, const QString& root = "\\HKEY_CURRENT_USER\\")
{
    COXRegistryItem r;
    r.SetRegistryName(root);
    r.SetKeyNames(keys);
    r.SetValueName(value);
    return r;
}

} // namespace

TEST(COXRegistryItem, ReadsGiveTheDefaultWhenAbsent)
{
    auto r = item("\\Software\\Orrery Works\\Absent\\", "Nothing");
    BOOL ok = TRUE;
    EXPECT_EQ(r.GetNumberValue(42, &ok), 42u);
    EXPECT_FALSE(ok);
    EXPECT_EQ(r.GetStringValue("fallback", &ok), "fallback");
    EXPECT_FALSE(ok);
    // Reading creates nothing.
    EXPECT_FALSE(QFile::exists(testenv::Home() + "/.config/Orrery Works/Absent.conf"));
}

TEST(COXRegistryItem, KeyMapsToOrganizationApplicationAndGroups)
{
    auto r = item("\\Software\\Orrery Works\\Debugging\\", "LogFileName");
    ASSERT_TRUE(r.SetStringValue("/tmp/trace log.txt"));
    auto n = item("\\Software\\Orrery Works\\Lumivue\\Settings\\", "Zoom");
    ASSERT_TRUE(n.SetNumberValue(150));

    // The files are those the framework's QSettings profile reads.
    EXPECT_TRUE(QFile::exists(testenv::Home() + "/.config/Orrery Works/Debugging.conf"));
    QSettings debugging("Orrery Works", "Debugging");
    EXPECT_EQ(debugging.value("LogFileName").toString(), "/tmp/trace log.txt");
    QSettings viewer("Orrery Works", "Lumivue");
    EXPECT_EQ(viewer.value("Settings/Zoom").toInt(), 150);

    EXPECT_EQ(r.GetStringValue(), "/tmp/trace log.txt");
    EXPECT_EQ(n.GetNumberValue(), 150u);
}

TEST(COXRegistryItem, NumbersKeepAllThirtyTwoBits)
{
    auto r = item("\\Software\\Orrery Works\\Debugging\\", "Indent");
    for (DWORD v : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        ASSERT_TRUE(r.SetNumberValue(v));
        BOOL ok = FALSE;
        EXPECT_EQ(r.GetNumberValue(7, &ok), v);
        EXPECT_TRUE(ok);
        EXPECT_EQ(int32_t(r.GetNumberValue()), int32_t(v));
    }
    // Text that is not a number gives the default.
    ASSERT_TRUE(r.SetStringValue("deep"));
    BOOL ok = TRUE;
    EXPECT_EQ(r.GetNumberValue(9, &ok), 9u);
    EXPECT_FALSE(ok);
    // A number written as text by another program, signed or not, reads as a number.
    QSettings("Orrery Works", "Debugging").setValue("Indent", "-1");
    EXPECT_EQ(r.GetNumberValue(), 0xFFFFFFFFu);
}

TEST(COXRegistryItem, NamesCompareWithoutCase)
{
    auto writer = item("\\Software\\Orrery Works\\CaseTest\\Section\\", "Value");
    ASSERT_TRUE(writer.SetStringValue("first"));
    auto reader = item("\\software\\Orrery Works\\CaseTest\\SECTION\\", "VALUE");
    EXPECT_EQ(reader.GetStringValue(), "first");
    ASSERT_TRUE(reader.SetStringValue("second"));
    // The existing spelling is kept: one value, not two.
    QSettings s("Orrery Works", "CaseTest");
    EXPECT_EQ(s.childGroups(), QStringList{"Section"});
    s.beginGroup("Section");
    EXPECT_EQ(s.childKeys(), QStringList{"Value"});
    EXPECT_EQ(s.value("Value").toString(), "second");
}

TEST(COXRegistryItem, EveryAccessSeesChangesMadeElsewhere)
{
    auto r = item("\\Software\\Orrery Works\\Fresh\\", "Counter");
    ASSERT_TRUE(r.SetNumberValue(1));
    {
        QSettings other("Orrery Works", "Fresh");
        other.setValue("Counter", 2);
    }
    EXPECT_EQ(r.GetNumberValue(), 2u);
    ASSERT_TRUE(r.DeleteValue());
    EXPECT_EQ(r.GetNumberValue(5), 5u);
}

TEST(COXRegistryItem, TheDefaultValueHasAName)
{
    auto r = item("\\Software\\Orrery Works\\Defaults\\", "");
    ASSERT_TRUE(r.SetStringValue("default"));
    EXPECT_EQ(r.GetStringValue(), "default");
    EXPECT_EQ(QSettings("Orrery Works", "Defaults").value("@").toString(), "default");
}

TEST(COXRegistryItem, OtherRootsAndShortKeysFailCleanly)
{
    const struct {
        const char* root;
        const char* keys;
    } cases[] = {
        {"\\HKEY_LOCAL_MACHINE\\", "\\Software\\Orrery Works\\Lumivue\\"},
        {"HKEY_CLASSES_ROOT", "\\Software\\Orrery Works\\Lumivue\\"},
        {"", "\\Software\\Orrery Works\\Lumivue\\"},
        {"\\HKEY_CURRENT_USER\\", "\\Software\\Orrery Works\\"},
        {"\\HKEY_CURRENT_USER\\", "\\Environment\\Orrery Works\\Lumivue\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.root + std::string(" ") + c.keys);
        auto r = item(c.keys, "Value", c.root);
        EXPECT_FALSE(r.IsValid());
        EXPECT_FALSE(r.SetNumberValue(1));
        EXPECT_FALSE(r.SetStringValue("x"));
        EXPECT_EQ(r.GetNumberValue(3), 3u);
        EXPECT_EQ(r.GetStringValue("d"), "d");
    }
    EXPECT_TRUE(item("\\Software\\Orrery Works\\Lumivue\\", "v", "HKCU").IsValid());
    EXPECT_EQ(item("\\Software\\Orrery Works\\Debugging\\", "Indent").GetFullRegistryItem(),
              "\\HKEY_CURRENT_USER\\Software\\Orrery Works\\Debugging\\Indent");
}
