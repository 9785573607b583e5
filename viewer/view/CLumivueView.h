#pragma once
// The viewer's view of a document.
#include "framework/view/CView.h"

class CLumivueDoc;

class CLumivueView : public CView {
    Q_OBJECT
public:
    CLumivueView();
    ~CLumivueView() override;

    CLumivueDoc* GetDocument() const;
};
