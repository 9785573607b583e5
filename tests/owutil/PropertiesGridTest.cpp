// CPropertiesGrid on the offscreen platform: rows built from the client's
// variables, edits typed as a user types them, the range check and its
// message, values written back, and the keys handed to a dialog parent.
#include "framework/dialog/CDialog.h"
#include "owutil/ui/CPropertiesGrid.h"
#include "platform/gdi/FontDefs.h"
#include "platform/gdi/FontResolver.h"
#include "tests/common/TestEnvironment.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class PropertiesGridTest : public ::testing::Test {
protected:
    void SetUp() override { testenv::ClearMessages(); }

    // Creates the grid on a host window with the rows of table.
    CPropertiesGrid* Create(CGridSetupArray& table, QWidget* parent = nullptr, CPropertiesGrid* grid = nullptr)
    {
        if (parent == nullptr) {
            host = std::make_unique<QWidget>();
            host->resize(320, 240);
            parent = host.get();
        }
        if (grid == nullptr)
            grid = new CPropertiesGrid;
        grid->Setup(table);
        EXPECT_TRUE(grid->CreateGrid(0, CRect(0, 0, 300, 220), parent, 1234));
        parent->show();
        return grid;
    }

    static void Type(CPropertiesGrid* grid, int row, const QString& keys)
    {
        grid->GotoCell(0, row);
        QTest::keyClick(grid, keys.at(0).toLatin1());
        ASSERT_TRUE(grid->IsEditing()) << "typing did not start an edit";
        QTest::keyClicks(grid->GetEditCtrl(), keys.mid(1));
        QTest::keyClick(grid->GetEditCtrl(), Qt::Key_Return);
    }

    static CUGCell Cell(const CPropertiesGrid* grid, int col, int row)
    {
        CUGCell cell;
        grid->GetCell(col, row, &cell);
        return cell;
    }

    std::unique_ptr<QWidget> host;
};

// A grid that counts the hooks a client class overrides.
class CountingGrid : public CPropertiesGrid {
public:
    int OnEllipse(int col, int row, CUGCell* cell) override
    {
        ++ellipses;
        return CPropertiesGrid::OnEllipse(col, row, cell);
    }
    int OnList(int col, int row, CUGCell* cell) override
    {
        ++lists;
        if (!extraChoice.isEmpty())
            cell->SetLabelText(cell->GetLabelText() + QLatin1Char('\n') + extraChoice);
        return CPropertiesGrid::OnList(col, row, cell);
    }
    int ellipses = 0, lists = 0;
    QString extraChoice;
};

} // namespace

TEST_F(PropertiesGridTest, SetupShowsEveryKindFromTheVariables)
{
    QString name = QStringLiteral("Lumen");
    int count = 12, flag = 1, choice = 2;
    double ratio = 3.14159;
    QString path = QStringLiteral("/tmp/a.emf");
    CGridSetupArray table = {
        {CGridSetup::KindText, "Name", "", -1, 1, 0, false, false, &name},
        {CGridSetup::KindInteger, "Count", "", 0, 100, 0, false, false, &count},
        {CGridSetup::KindDouble, "Ratio", "", 0, 10, 2, false, false, &ratio},
        {CGridSetup::KindCheckBox, "Visible", "No\nYes", 0, 0, 0, false, false, &flag},
        {CGridSetup::KindDropText, "File", "", 0, 0, 0, false, false, &path},
        {CGridSetup::KindChoice, "Unit", "cm\nmm\ninch", 0, 0, 0, false, false, &choice},
    };
    CPropertiesGrid* grid = Create(table);

    EXPECT_FALSE(grid->IsSettingUp());
    EXPECT_FALSE(grid->HasChanged());
    EXPECT_EQ(grid->GetNumberCols(), 1);
    EXPECT_EQ(grid->GetNumberRows(), 6);
    EXPECT_EQ(grid->QuickGetText(UG_HEADING, UG_HEADING), "Property");
    EXPECT_EQ(grid->QuickGetText(0, UG_HEADING), "Value");
    EXPECT_EQ(grid->QuickGetText(UG_HEADING, 3), "Visible");
    EXPECT_EQ(grid->GetCurrentCol(), 0);
    EXPECT_EQ(grid->GetCurrentRow(), 0);

    EXPECT_EQ(grid->QuickGetText(0, 0), "Lumen");
    EXPECT_EQ(grid->QuickGetText(0, 1), "12");
    EXPECT_EQ(grid->QuickGetText(0, 2), "3.14");
    EXPECT_EQ(Cell(grid, 0, 3).GetCellType(), UGCT_CHECKBOX);
    EXPECT_EQ(Cell(grid, 0, 3).GetLabelText(), "Yes");
    EXPECT_EQ(Cell(grid, 0, 4).GetCellType(), grid->GetDropTextTypeID());
    EXPECT_EQ(grid->QuickGetText(0, 4), "/tmp/a.emf");
    EXPECT_EQ(Cell(grid, 0, 5).GetCellType(), grid->GetChoiceTypeID());
    EXPECT_EQ(grid->QuickGetText(0, 5), "inch");
    EXPECT_NE(grid->GetDropTextTypeID(), grid->GetChoiceTypeID());

    // Every cell and heading uses the grid's font: the dialog face at 8
    // points, through the platform's substitution.
    const QString family = FontResolver::FamilyFor("MS Sans Serif", VARIABLE_PITCH | FF_SWISS, ANSI_CHARSET);
    EXPECT_EQ(grid->GetGridFont().family(), family);
    EXPECT_EQ(grid->GetGridFont().pointSize(), 8);
    EXPECT_EQ(grid->GetDefFont(), grid->GetGridFont());
    ASSERT_NE(Cell(grid, UG_HEADING, 1).GetFont(), nullptr);
    EXPECT_EQ(*Cell(grid, 0, UG_HEADING).GetFont(), grid->GetGridFont());

    // Writing back untouched cells keeps every value, a real number to its
    // last digit although it shows with the row's decimals.
    grid->OnLeave();
    EXPECT_EQ(name, "Lumen");
    EXPECT_EQ(count, 12);
    EXPECT_DOUBLE_EQ(ratio, 3.14159);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(path, "/tmp/a.emf");
    EXPECT_EQ(choice, 2);
    EXPECT_FALSE(grid->HasChanged());
}

TEST_F(PropertiesGridTest, TypedEditsAreWrittenBackOnLeave)
{
    QString name = QStringLiteral("old"), path = QStringLiteral("a");
    int count = 1;
    double ratio = 1;
    CGridSetupArray table = {
        {CGridSetup::KindText, "Name", "", 0, 0, 0, false, false, &name},
        {CGridSetup::KindInteger, "Count", "", 0, 100, 0, false, false, &count},
        {CGridSetup::KindDouble, "Ratio", "", 0, 10, 3, false, false, &ratio},
        {CGridSetup::KindDropText, "File", "", 0, 0, 0, false, false, &path},
    };
    CPropertiesGrid* grid = Create(table);

    Type(grid, 0, "new name");
    Type(grid, 1, "42");
    Type(grid, 2, "2.5");
    Type(grid, 3, "b.wmf");
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_TRUE(grid->HasChanged());
    EXPECT_EQ(grid->QuickGetText(0, 2), "2.500");
    // Nothing reaches the variables before OnLeave.
    EXPECT_EQ(count, 1);
    grid->OnLeave();
    EXPECT_EQ(name, "new name");
    EXPECT_EQ(count, 42);
    EXPECT_DOUBLE_EQ(ratio, 2.5);
    // Text rows with a drop-down button write back like plain text rows.
    EXPECT_EQ(path, "b.wmf");
}

TEST_F(PropertiesGridTest, DoubleClickAndF2EditTheWholeText)
{
    QString name = QStringLiteral("abc");
    CGridSetupArray table = {{CGridSetup::KindText, "Name", "", 0, 0, 0, false, false, &name}};
    CPropertiesGrid* grid = Create(table);
    const CRect r = grid->GetCellRect(0, 0);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(r.left + 10, r.top + 5));
    ASSERT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->GetEditCtrl()->selectedText(), "abc");
    QTest::keyClick(grid->GetEditCtrl(), Qt::Key_Escape);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_FALSE(grid->HasChanged());

    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_TRUE(grid->IsEditing());
    QTest::keyClicks(grid->GetEditCtrl(), "xyz");
    QTest::keyClick(grid->GetEditCtrl(), Qt::Key_Escape);
    EXPECT_EQ(grid->QuickGetText(0, 0), "abc");
    grid->OnLeave();
    EXPECT_EQ(name, "abc");
}

TEST_F(PropertiesGridTest, RangeIsCheckedBetweenTheSmallerAndLargerBound)
{
    double level = 7;
    CGridSetupArray table = {{CGridSetup::KindDouble, "Level", "", 10, 0, 1, false, false, &level}};
    CPropertiesGrid* grid = Create(table);
    CUGCell cell;
    EXPECT_EQ(grid->OnEditFinishEx(0, 0, &cell, "5"), 1);
    EXPECT_EQ(grid->OnEditFinishEx(0, 0, &cell, "0"), 1);
    EXPECT_EQ(grid->OnEditFinishEx(0, 0, &cell, "10"), 1);
    EXPECT_TRUE(testenv::Messages().empty());
    EXPECT_EQ(grid->OnEditFinishEx(0, 0, &cell, "11"), 0);
    ASSERT_EQ(testenv::Messages().size(), 1u);
    EXPECT_EQ(testenv::Messages()[0].text, "The cell has range limits of 10 to 0.  Please enter a value in this range.");
    EXPECT_EQ(testenv::Messages()[0].type, UINT(MB_OK));
    // A text that is no number is refused the same way.
    EXPECT_EQ(grid->OnEditFinishEx(0, 0, &cell, "ten"), 0);
    EXPECT_EQ(testenv::Messages().size(), 2u);
}

TEST_F(PropertiesGridTest, RefusedEditStaysOpenAndKeepsTheValue)
{
    int percent = 50;
    double scale = 1.25;
    CGridSetupArray table = {
        {CGridSetup::KindInteger, "Percent", "", 1, 100, 0, false, false, &percent},
        {CGridSetup::KindDouble, "Scale", "", 0.5, 2.25, 2, false, false, &scale},
    };
    CPropertiesGrid* grid = Create(table);
    Type(grid, 1, "3");
    ASSERT_EQ(testenv::Messages().size(), 1u);
    // Bounds with the row's decimals, trailing zeros trimmed.
    EXPECT_EQ(testenv::Messages()[0].text, "The cell has range limits of 0.5 to 2.25.  Please enter a value in this range.");
    ASSERT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->GetEditCtrl()->text(), "3");
    QTest::keyClick(grid->GetEditCtrl(), Qt::Key_Escape);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->QuickGetText(0, 1), "1.25");
    EXPECT_FALSE(grid->HasChanged());

    Type(grid, 0, "101");
    EXPECT_EQ(testenv::Messages().back().text,
              "The cell has range limits of 1 to 100.  Please enter a value in this range.");
    // The refused text is selected: what the user types next replaces it.
    EXPECT_EQ(grid->GetEditCtrl()->selectedText(), "101");
    QTest::keyClicks(grid->GetEditCtrl(), "10");
    QTest::keyClick(grid->GetEditCtrl(), Qt::Key_Return);
    EXPECT_FALSE(grid->IsEditing());
    grid->OnLeave();
    EXPECT_EQ(percent, 10);
    EXPECT_DOUBLE_EQ(scale, 1.25);
}

TEST_F(PropertiesGridTest, CheckBoxCaptionFollowsItsState)
{
    int off = 0, on = 1;
    CGridSetupArray table = {
        {CGridSetup::KindCheckBox, "A", "Off\nOn", 0, 0, 0, false, false, &off},
        {CGridSetup::KindCheckBox, "B", "Off\nOn", 0, 0, 0, false, false, &on},
    };
    CPropertiesGrid* grid = Create(table);
    EXPECT_EQ(Cell(grid, 0, 0).GetLabelText(), "Off");
    EXPECT_EQ(Cell(grid, 0, 1).GetLabelText(), "On");
    EXPECT_EQ(grid->GetLabel(0, 1), "On");
    EXPECT_EQ(grid->GetLabel(0, 7), "Off");

    // Space toggles the current box; a letter starts no edit on it.
    grid->GotoCell(0, 0);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(Cell(grid, 0, 0).GetLabelText(), "On");
    EXPECT_TRUE(grid->HasChanged());
    QTest::keyClick(grid, 'x');
    EXPECT_FALSE(grid->IsEditing());

    // A click on the second box clears it.
    const CRect r = grid->GetCellRect(0, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(r.left + 8, (r.top + r.bottom) / 2));
    EXPECT_EQ(Cell(grid, 0, 1).GetLabelText(), "Off");
    grid->OnLeave();
    EXPECT_EQ(off, 1);
    EXPECT_EQ(on, 0);
}

TEST_F(PropertiesGridTest, ChoiceWritesItsPositionOrMinusOne)
{
    int unit = 0, other = 1;
    CGridSetupArray table = {
        {CGridSetup::KindChoice, "Unit", "cm\nmm\ninch", 0, 0, 0, false, false, &unit},
        {CGridSetup::KindChoice, "Other", "red\ngreen", 0, 0, 0, false, false, &other},
    };
    CPropertiesGrid* grid = Create(table);
    // A typed letter moves to the next choice that begins with it; no
    // free text is typed into a choice.
    grid->GotoCell(0, 0);
    QTest::keyClick(grid, 'i');
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->QuickGetText(0, 0), "inch");
    EXPECT_TRUE(grid->HasChanged());

    CUGCell cell = Cell(grid, 0, 1);
    cell.SetText("blue");
    grid->SetCell(0, 1, &cell);
    grid->OnLeave();
    EXPECT_EQ(unit, 2);
    EXPECT_EQ(other, -1);
}

TEST_F(PropertiesGridTest, DropListOffersTheChoicesOnListLeaves)
{
    int unit = 0;
    QString path;
    CGridSetupArray table = {
        {CGridSetup::KindChoice, "Unit", "cm\nmm", 0, 0, 0, false, false, &unit},
        {CGridSetup::KindDropText, "File", "", 0, 0, 0, false, false, &path},
    };
    auto* grid = new CountingGrid;
    Create(table, nullptr, grid);
    EXPECT_EQ(grid->lists, 1); // set-up asks once per choice row
    grid->extraChoice = "km";

    grid->GotoCell(0, 0);
    QTest::keyClick(grid, Qt::Key_F4);
    EXPECT_EQ(grid->lists, 2);
    auto* list = qobject_cast<QListWidget*>(QApplication::activePopupWidget());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "km");
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(grid->QuickGetText(0, 0), "km");

    // The button of a text row is the client's (OnEllipse), with no list.
    grid->GotoCell(0, 1);
    const CRect r = grid->GetCellRect(0, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(r.right - 4, (r.top + r.bottom) / 2));
    EXPECT_EQ(grid->ellipses, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(grid->HasChanged());
}

TEST_F(PropertiesGridTest, DisabledRowIsGreyAndCannotBeEdited)
{
    QString a = QStringLiteral("a"), b = QStringLiteral("b");
    int flag = 0;
    CGridSetupArray table = {
        {CGridSetup::KindText, "Disabled", "", 0, 0, 0, false, true, &a},
        {CGridSetup::KindText, "Read-only", "", 0, 0, 0, true, false, &b},
        {CGridSetup::KindCheckBox, "Box", "Off\nOn", 0, 0, 0, false, true, &flag},
    };
    CPropertiesGrid* grid = Create(table);
    EXPECT_EQ(Cell(grid, 0, 0).GetTextColor(), RGB(128, 128, 128));
    EXPECT_TRUE(Cell(grid, 0, 0).GetReadOnly());
    EXPECT_EQ(Cell(grid, 0, 1).GetTextColor(), RGB(0, 0, 0));
    EXPECT_TRUE(Cell(grid, 0, 1).GetReadOnly());
    for (int row : {0, 1}) {
        grid->GotoCell(0, row);
        QTest::keyClick(grid, 'z');
        EXPECT_FALSE(grid->IsEditing());
        const CRect r = grid->GetCellRect(0, row);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(r.left + 10, r.top + 5));
        EXPECT_FALSE(grid->IsEditing());
    }
    grid->GotoCell(0, 2);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(Cell(grid, 0, 2).GetNumber(), 0);
    EXPECT_FALSE(grid->HasChanged());
}

TEST_F(PropertiesGridTest, RowsWithoutVariablesOrKindsChangeNothing)
{
    QString kept = QStringLiteral("kept");
    CGridSetupArray table = {
        {CGridSetup::KindText, "No variable", "", 0, 0, 0, false, false, nullptr},
        {CGridSetup::KindDouble, "No number", "", 0, 1, 0, false, false, nullptr},
        {9, "Unknown kind", "", 0, 0, 0, false, false, &kept},
    };
    CPropertiesGrid* grid = Create(table);
    EXPECT_EQ(grid->QuickGetText(0, 0), "");
    EXPECT_EQ(grid->QuickGetText(0, 1), "0");
    EXPECT_EQ(grid->GetText(0), "");
    EXPECT_EQ(grid->GetDouble(1), 0.0);
    Type(grid, 0, "typed");
    Type(grid, 2, "other");
    grid->OnLeave();
    EXPECT_EQ(kept, "kept");
    EXPECT_EQ(grid->GetText(0), "");
}

TEST_F(PropertiesGridTest, TabAndEscapeGoToTheDialog)
{
    QString name = QStringLiteral("n");
    CGridSetupArray table = {{CGridSetup::KindText, "Name", "", 0, 0, 0, false, false, &name}};
    CDialog dialog(200);
    auto* before = new QPushButton("Before", &dialog);
    auto* grid = new CPropertiesGrid;
    auto* after = new QPushButton("After", &dialog);
    Create(table, &dialog, grid);
    QWidget::setTabOrder(before, grid);
    QWidget::setTabOrder(grid, after);
    QApplication::setActiveWindow(&dialog);
    grid->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->hasFocus());

    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());

    // Tab in an edit takes the text and then leaves the grid.
    grid->setFocus();
    QTest::keyClick(grid, 'm');
    ASSERT_TRUE(grid->IsEditing());
    QTest::keyClick(grid->GetEditCtrl(), Qt::Key_Tab);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->QuickGetText(0, 0), "m");
    EXPECT_TRUE(after->hasFocus());

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), IDCANCEL);
}

TEST_F(PropertiesGridTest, ResizingFitsTheValueColumnAndReturnsToTheTop)
{
    std::vector<int> values(30, 1);
    CGridSetupArray table;
    for (int& v : values)
        table.push_back({CGridSetup::KindInteger, "Row", "", 0, 9, 0, false, false, &v});
    CPropertiesGrid* grid = Create(table);
    EXPECT_EQ(grid->GetSH_Width() + grid->GetColWidth(0), grid->viewport()->width());

    // An edit follows its cell as the grid scrolls, and ends when the
    // cell leaves the window.
    grid->GotoCell(0, 3);
    QTest::keyClick(grid, '5');
    ASSERT_TRUE(grid->IsEditing());
    grid->SetTopRow(1);
    ASSERT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->GetEditCtrl()->geometry().top(), grid->GetCellRect(0, 3).top + 1);
    grid->SetTopRow(10);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->QuickGetText(0, 3), "5");

    grid->GotoCell(0, 29);
    EXPECT_GT(grid->GetTopRow(), 0);
    grid->resize(400, grid->GetTotalHeight() + 40);
    QApplication::processEvents();
    EXPECT_EQ(grid->GetSH_Width() + grid->GetColWidth(0), grid->viewport()->width());
    EXPECT_EQ(grid->GetTopRow(), 0);
    EXPECT_EQ(grid->GetCurrentRow(), 0);
}

TEST(GridSetup, DefaultsAndEqualityByAddress)
{
    const CGridSetup d;
    EXPECT_EQ(d.m_nKind, 0);
    EXPECT_STREQ(d.m_pszName, "");
    EXPECT_EQ(d.m_dMin, -1.7976931348623157e308);
    EXPECT_EQ(d.m_dMax, 1.7976931348623157e308);
    EXPECT_EQ(d.m_pValue, nullptr);

    static const char nameA[] = "Width";
    static const char nameB[] = "Width";
    int value = 0;
    const CGridSetup a(2, nameA, "", 0, 10, 0, false, false, &value);
    CGridSetup copy = a;
    EXPECT_EQ(copy, a);
    copy.m_pszName = nameB; // the same text at another address
    EXPECT_NE(copy, a);
    copy = a;
    copy.m_bDisabled = true;
    EXPECT_NE(copy, a);
}
