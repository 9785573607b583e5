#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace {

MessageBoxHook& hook()
{
    static MessageBoxHook h;
    return h;
}

int defaultAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

bool haveWindowSystem()
{
    const QString p = QGuiApplication::platformName();
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr && p != "offscreen" &&
           p != "minimal";
}

} // namespace

void SetMessageBoxHook(MessageBoxHook h) { hook() = std::move(h); }

int MessageBox(QWidget* parent, const QString& text, const QString& caption, UINT type)
{
    if (hook())
        return hook()(text, caption, type);
    const QString title = caption.isEmpty() ? QCoreApplication::applicationName() : caption;
    if (!haveWindowSystem()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        return defaultAnswer(type);
    }

    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Button {
        QMessageBox::StandardButton qt;
        int id;
    };
    std::vector<Button> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: buttons = {{QMessageBox::Ok, IDOK}}; break;
    }
    QMessageBox::StandardButtons all;
    for (const auto& b : buttons)
        all |= b.qt;
    box.setStandardButtons(all);
    box.setDefaultButton(buttons.front().qt);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& b : buttons)
        if (b.qt == clicked)
            return b.id;
    // Closed by the window manager: the platform answers with Cancel when
    // there is one, otherwise with the only button.
    for (const auto& b : buttons)
        if (b.id == IDCANCEL)
            return IDCANCEL;
    return buttons.front().id;
}
