#pragma once
// A document and views of it outside any frame: the view's geometry,
// painting thread and events, on a surface that needs no window system.
#include "framework/frame/CCreateContext.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/InfoBackend.h"
#include "platform/gdi/QPainterBackend.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/view/CLumivueView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CLumivueDoc>();
        doc->m_bAutoDelete = false;
    }
    void TearDown() override
    {
        views.clear();
        doc.reset();
    }

    // A document whose image is w x h units at res units per inch, without a file.
    void Image(LONG w, LONG h, LONG res)
    {
        doc->m_sizeImage = CSize(w, h);
        doc->m_sizeResolution = CSize(res, res);
    }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    // Loads bytes as the document's file.
    void Load(const QByteArray& bytes, const QString& name = QStringLiteral("picture.emf"))
    {
        doc->LoadImageFile(Write(name, bytes));
    }

    // A view of the document, shown with a client area of size.
    CLumivueView* View(QSize size = QSize(400, 300), bool show = true)
    {
        auto view = std::make_unique<CLumivueView>();
        CCreateContext context;
        context.m_pCurrentDoc = doc.get();
        view->Create(nullptr, &context);
        view->resize(size);
        // As the framework does: the initial update before the window shows.
        view->OnInitialUpdate();
        if (show) {
            view->show();
            Settle(0);
        }
        views.push_back(std::move(view));
        return views.back().get();
    }

    // Repaints the whole view and waits for the painting to end, so that a
    // test starts from a finished painting.
    static void Painted(CLumivueView* view)
    {
        view->Invalidate();
        view->UpdateWindow();
        ASSERT_TRUE(PaintingEnds(view));
        view->StopPainting();
    }

    // A printing context of the given page at dpi, drawing nothing.
    static std::unique_ptr<CDC> Page(QSize pixels, int dpi)
    {
        InfoBackend::Device d;
        d.pixels = pixels;
        d.logPixelsX = d.logPixelsY = dpi;
        auto dc = std::make_unique<CDC>(std::make_unique<InfoBackend>(d));
        dc->SetPrinting(true);
        return dc;
    }

public:
    static void Settle(int ms)
    {
        QElapsedTimer t;
        t.start();
        do
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        while (t.elapsed() < ms);
    }

    // Processes events until the view's painting has ended.
    static bool PaintingEnds(CLumivueView* view, int ms = 20000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            if (!view->IsPainting())
                return true;
        }
        return false;
    }

protected:
    // A metafile of n filled rectangles over a 100 x 100 mm frame, each a
    // record of its own, so a painting of it can be stopped between them.
    static QByteArray ManyRecords(int n, COLORREF color = RGB(200, 0, 0))
    {
        EmfBuilder b(RECT(0, 0, 10000, 10000));
        b.Record(39, {1, 0, color, 0}); // EMR_CREATEBRUSHINDIRECT: solid
        b.Record(37, {1});              // EMR_SELECTOBJECT
        for (int i = 0; i < n; ++i) {
            const uint32_t x = uint32_t(i % 90) * 10, y = uint32_t((i / 90) % 90) * 10;
            b.Record(43, {x, y, x + 30, y + 30}); // EMR_RECTANGLE
        }
        return b.Bytes();
    }

    QTemporaryDir dir;
    std::unique_ptr<CLumivueDoc> doc;
    std::vector<std::unique_ptr<CLumivueView>> views;
};
