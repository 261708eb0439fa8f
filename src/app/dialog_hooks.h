#pragma once
// The modal questions the dialogs ask through the platform (message boxes,
// the colour dialog, the desktop's URL handler), as replaceable functions so
// that tests can answer them without a nested event loop. Each defaults to
// the platform's own dialog.

#include <QColor>
#include <QString>

#include <functional>

class QUrl;
class QWidget;

struct RDialogHooks {
    // An error message; the caller goes on afterwards.
    static std::function<void(QWidget* parent, const QString& text)> ShowError;
    // An information message with its title.
    static std::function<void(QWidget* parent, const QString& title, const QString& text)> Inform;
    // A Yes/No question with its title; true for Yes.
    static std::function<bool(QWidget* parent, const QString& title, const QString& text)> Ask;
    // The colour dialog preset to `initial`; an invalid colour when cancelled.
    static std::function<QColor(QWidget* parent, const QColor& initial)> PickColor;
    // Hands a URL (a file, a mailto: link) to the desktop; false when nothing
    // could open it.
    static std::function<bool(const QUrl& url)> OpenUrl;

    // Puts every hook back to the platform's dialog.
    static void Reset();
};
