#pragma once
// Acting on a modal dialog from a test: the dialog's DoModal (exec) only
// returns when the dialog closes, so the test's steps run from the dialog's
// own event loop, as the user's would.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace testenv {

// Runs act on the next modal dialog once it is showing. A dialog that act
// leaves open is closed with result -1 and fails the test, rather than
// leaving the test waiting for a user.
inline void OnNextModal(std::function<void(QDialog*)> act)
{
    QTimer::singleShot(0, qApp, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no modal dialog is showing";
            return;
        }
        act(dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog->done(-1);
        }
    });
}

} // namespace testenv
