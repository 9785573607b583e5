// A property sheet whose page holds a properties grid, driven with the
// mouse and keyboard on a real X server: typing into cells, Tab out of
// the grid, Escape in an edit and on the grid, OK and Cancel.
#include "framework/dialog/CPropertyPage.h"
#include "framework/dialog/CPropertySheet.h"
#include "owutil/ui/CPropertiesGrid.h"
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

enum { IDD_PAGE = 3000, IDC_TITLE = 1000, IDC_GRID = 1001, IDC_SHARE = 1002 };

struct Values {
    QString name = QStringLiteral("Orrery");
    int count = 12;
    double ratio = 1.5;
    int visible = 1;
    int unit = 0;
    QString note = QStringLiteral("read only");
    QString off = QStringLiteral("disabled");
};

class GridPage : public CPropertyPage {
public:
    explicit GridPage(Values& v)
        : CPropertyPage(IDD_PAGE, QStringLiteral("General"))
        , table{
              {CGridSetup::KindText, "Name", "", 0, 0, 0, false, false, &v.name},
              {CGridSetup::KindInteger, "Count", "", 0, 100, 0, false, false, &v.count},
              {CGridSetup::KindDouble, "Ratio", "", 0.5, 4, 2, false, false, &v.ratio},
              {CGridSetup::KindCheckBox, "Visible", "Hidden\nShown", 0, 0, 0, false, false, &v.visible},
              {CGridSetup::KindChoice, "Unit", "Centimetres\nMillimetres\nInches", 0, 0, 0, false, false, &v.unit},
              {CGridSetup::KindText, "Note", "", 0, 0, 0, true, false, &v.note},
              {CGridSetup::KindText, "Locked", "", 0, 0, 0, false, true, &v.off},
          }
    {
        SetDialogSize(220, 160);
        AddDlgItem(new QLineEdit(QStringLiteral("title")), IDC_TITLE, 7, 7, 206, 12, QStringLiteral("Title"));
        grid = new CPropertiesGrid;
        grid->Setup(table);
        CRect r(7, 24, 213, 136);
        DialogUnits().MapDialogRect(r);
        grid->CreateGrid(0, r, this, IDC_GRID);
        AddDlgItem(new QCheckBox(QStringLiteral("Share")), IDC_SHARE, 7, 142, 100, 10, QStringLiteral("Share"));
    }
    BOOL OnKillActive() override
    {
        grid->OnLeave();
        return CPropertyPage::OnKillActive();
    }
    void OnOK() override
    {
        grid->OnLeave();
        CPropertyPage::OnOK();
    }

    CGridSetupArray table;
    CPropertiesGrid* grid = nullptr;
};

void settle(int ms = 50) { QTest::qWait(ms); }

// Keys as the user types them: each to whatever has the focus now.
void typeKeys(const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void clickCell(CPropertiesGrid* grid, int row)
{
    const CRect r = grid->GetCellRect(0, row);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(r.left + 20, (r.top + r.bottom) / 2));
}

// With LUMIVU_SCREENSHOT_DIR set, keeps a picture of the window for a person to look at.
void keepPicture(QWidget* window, const QString& name)
{
    const QString dir = qEnvironmentVariable("LUMIVU_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        window->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

class PropertiesPageTest : public ::testing::Test {
protected:
    void SetUp() override { testenv::ClearMessages(); }
    Values values;
};

} // namespace

TEST_F(PropertiesPageTest, TypedValuesReachTheVariablesOnOk)
{
    GridPage page(values);
    CPropertySheet sheet(QStringLiteral("Properties"));
    sheet.AddPage(&page);
    testenv::OnNextModal([&](QDialog* dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        settle();
        CPropertiesGrid* grid = page.grid;
        EXPECT_EQ(grid->property("id").toInt(), IDC_GRID);
        keepPicture(dialog, "grid-page");

        clickCell(grid, 1);
        EXPECT_EQ(grid->GetCurrentRow(), 1);
        EXPECT_TRUE(grid->hasFocus());
        typeKeys("42");
        EXPECT_TRUE(grid->IsEditing());
        keepPicture(dialog, "grid-page-editing");
        press(Qt::Key_Return);
        EXPECT_FALSE(grid->IsEditing());
        EXPECT_EQ(grid->QuickGetText(0, 1), "42");

        // A double click edits the name with all of it selected.
        const CRect r = grid->GetCellRect(0, 0);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(r.left + 20, r.top + 4));
        ASSERT_TRUE(grid->IsEditing());
        typeKeys("Works");
        EXPECT_EQ(grid->GetEditCtrl()->text(), "Works");
        EXPECT_EQ(QApplication::focusWidget(), grid->GetEditCtrl());
        press(Qt::Key_Return);

        // The check box answers a click, the choice a typed letter.
        const CRect box = grid->GetCellRect(0, 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(box.left + 9, (box.top + box.bottom) / 2));
        clickCell(grid, 4);
        typeKeys("i");
        EXPECT_EQ(grid->QuickGetText(0, 4), "Inches");

        // Tab leaves the grid for the page's next control, Shift+Tab for the one before.
        grid->setFocus();
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), page.GetDlgItem(IDC_SHARE));
        grid->setFocus();
        press(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), page.GetDlgItem(IDC_TITLE));
        keepPicture(dialog, "grid-page-after-edits");

        QTest::mouseClick(static_cast<QPushButton*>(sheet.GetDlgItem(IDOK)), Qt::LeftButton);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(page.grid->HasChanged());
    EXPECT_EQ(values.count, 42);
    EXPECT_EQ(values.name, "Works");
    EXPECT_EQ(values.visible, 0);
    EXPECT_EQ(values.unit, 2);
    EXPECT_DOUBLE_EQ(values.ratio, 1.5);
    EXPECT_EQ(values.note, "read only");
    EXPECT_TRUE(testenv::Messages().empty()) << testenv::Messages()[0].text.toStdString();
}

TEST_F(PropertiesPageTest, EscapeEndsTheEditThenCancelsThePage)
{
    GridPage page(values);
    CPropertySheet sheet(QStringLiteral("Properties"));
    sheet.AddPage(&page);
    testenv::OnNextModal([&](QDialog* dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        settle();
        CPropertiesGrid* grid = page.grid;
        clickCell(grid, 2);
        typeKeys("9");
        press(Qt::Key_Return);
        // Out of range: told, and the edit stays with the text selected.
        ASSERT_EQ(testenv::Messages().size(), 1u);
        EXPECT_EQ(testenv::Messages()[0].text,
                  "The cell has range limits of 0.5 to 4.  Please enter a value in this range.");
        EXPECT_TRUE(grid->IsEditing());
        EXPECT_TRUE(dialog->isVisible());
        // Escape in the edit ends only the edit.
        press(Qt::Key_Escape);
        EXPECT_FALSE(grid->IsEditing());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(grid->QuickGetText(0, 2), "1.50");

        // Disabled and read-only rows take no typing.
        clickCell(grid, 6);
        typeKeys("x");
        EXPECT_FALSE(grid->IsEditing());
        clickCell(grid, 5);
        typeKeys("x");
        EXPECT_FALSE(grid->IsEditing());

        clickCell(grid, 1);
        typeKeys("77");
        press(Qt::Key_Return);
        // Escape on the grid is the sheet's Cancel.
        press(Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(values.count, 12);
    EXPECT_DOUBLE_EQ(values.ratio, 1.5);
}

TEST_F(PropertiesPageTest, ChoiceListDropsAndTakesAClick)
{
    GridPage page(values);
    CPropertySheet sheet(QStringLiteral("Properties"));
    sheet.AddPage(&page);
    testenv::OnNextModal([&](QDialog* dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        settle();
        CPropertiesGrid* grid = page.grid;
        clickCell(grid, 4);
        const CRect r = grid->GetCellRect(0, 4);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(r.right - 5, (r.top + r.bottom) / 2));
        settle();
        auto* list = qobject_cast<QListWidget*>(QApplication::activePopupWidget());
        ASSERT_NE(list, nullptr);
        keepPicture(dialog, "grid-page-list");
        const QRect item = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        settle();
        EXPECT_EQ(grid->QuickGetText(0, 4), "Millimetres");
        QTest::mouseClick(static_cast<QPushButton*>(sheet.GetDlgItem(IDOK)), Qt::LeftButton);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(values.unit, 1);
}
