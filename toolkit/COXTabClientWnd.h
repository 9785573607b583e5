#pragma once
// The tab strip over the multiple-document client area, one tab per document window.
class COXTabClientWnd {
};
