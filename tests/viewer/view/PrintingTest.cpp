// Printing: how the picture is laid out over pages (tiled down the columns,
// centred by preference, fitted on one page), and the print loop writing
// those pages to a PDF printer.
#include "ViewFixture.h"

#include "framework/print/CPrintInfo.h"

#include <QPrinter>
#include <QRegularExpression>

namespace {

// A view whose centring preference the test sets.
class CentringView : public CLumivueView {
public:
    bool center = false;
    bool CenterPrintedImage() const override { return center; }
};

int pdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace

TEST_F(ViewTest, ATiledPictureRunsDownTheColumns)
{
    // A4 at zoom 2 on 4800 x 6800 printable pixels at 600 per inch.
    Image(21000, 29700, 2540);
    CLumivueView* view = View(QSize(100, 100), false);
    view->m_dZoom = 2.0;
    auto page = Page(QSize(4800, 6800), 600);
    CPrintInfo info;
    view->OnBeginPrinting(page.get(), &info);
    EXPECT_EQ(view->DestRect, CRect(0, 0, 9921, 14031));
    EXPECT_EQ(view->m_sizePages, CSize(3, 3));
    EXPECT_EQ(info.GetMaxPage(), 9u);
    EXPECT_EQ(info.GetToPage(), 9u);
    // Pages 1-3 are the left column from the top, 4-6 the middle one.
    EXPECT_EQ(view->PageOrigin(0, false), CPoint(0, 0));
    EXPECT_EQ(view->PageOrigin(1, false), CPoint(0, -6800));
    EXPECT_EQ(view->PageOrigin(2, false), CPoint(0, -13600));
    EXPECT_EQ(view->PageOrigin(3, false), CPoint(-4800, 0));
    EXPECT_EQ(view->PageOrigin(8, false), CPoint(-9600, -13600));
    // A tiled direction is never centred.
    EXPECT_EQ(view->PageOrigin(0, true), CPoint(0, 0));
}

TEST_F(ViewTest, PagePlacementCentringAndFit)
{
    // 3000 x 2000 pixels at 600 ppi on a 4800 x 6800 page.
    Image(3000, 2000, 600);
    CLumivueView* view = View(QSize(100, 100), false);
    view->m_dZoom = 1.0;
    auto page = Page(QSize(4800, 6800), 600);
    ASSERT_TRUE(view->SetupRect(page.get()));
    EXPECT_EQ(view->PageOrigin(0, true), CPoint(900, 2400));
    EXPECT_EQ(view->PageOrigin(0, false), CPoint(0, 0));

    // 2 across and 3 down: page 5 is the right column's middle row.
    Image(2 * 4800 - 10, 3 * 6800 - 10, 600);
    ASSERT_TRUE(view->SetupRect(page.get()));
    EXPECT_EQ(view->m_sizePages, CSize(2, 3));
    EXPECT_EQ(view->PageOrigin(4, false), CPoint(-4800, -6800));

    // Fit to Page always prints exactly one page, whatever the zoom was.
    doc->m_nFitOption = FIT_PAGE;
    CPrintInfo info;
    view->OnBeginPrinting(page.get(), &info);
    EXPECT_EQ(info.GetMaxPage(), 1u);

    // No image: no page count, and the loop prints a single page.
    doc->m_sizeImage = CSize(0, 0);
    CPrintInfo none;
    view->OnBeginPrinting(page.get(), &none);
    EXPECT_EQ(none.GetFromPage(), 1u);
    EXPECT_EQ(none.GetToPage(), 1u);
}

TEST_F(ViewTest, ThePrintLoopWritesEachPageAsVectors)
{
    // 40 x 30 cm of filled rectangles on A4 portrait: 2 x 2 pages.
    EmfBuilder b(RECT(0, 0, 40000, 30000));
    b.Record(39, {1, 0, RGB(0, 128, 0), 0}); // EMR_CREATEBRUSHINDIRECT
    b.Record(37, {1});                       // EMR_SELECTOBJECT
    for (uint32_t i = 0; i < 20; ++i)
        b.Record(43, {i * 50, i * 40, i * 50 + 300, i * 40 + 200}); // EMR_RECTANGLE
    Load(b.Bytes());
    auto view = std::make_unique<CentringView>();
    CCreateContext context;
    context.m_pCurrentDoc = doc.get();
    view->Create(nullptr, &context);
    view->m_dZoom = 1.0;

    const QString pdf = dir.filePath(QStringLiteral("tiled.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    CPrintInfo info;
    info.m_bDirect = true;
    QString error;
    ASSERT_TRUE(view->PrintPages(&printer, info, &error)) << error.toStdString();
    EXPECT_EQ(info.GetMaxPage(), 4u);
    EXPECT_EQ(pdfPages(pdf), 4);
    EXPECT_FALSE(view->IsPainting());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // Rectangles reach the PDF as paths, not as a picture of the page.
    EXPECT_FALSE(f.readAll().contains("/Subtype /Image"));

    // A printer without a destination is an error, not a silent success.
    QPrinter nowhere(QPrinter::HighResolution);
    nowhere.setOutputFormat(QPrinter::PdfFormat);
    CPrintInfo again;
    again.m_bDirect = true;
    EXPECT_FALSE(view->PrintPages(&nowhere, again, &error));
    EXPECT_FALSE(error.isEmpty());
}
