#pragma once

#include "core/session/CaptionKeys.h"

#include <QStringList>

class QWidget;

namespace airmotor::app {

// Sets the captions of one window from the caption table, matching the window and its controls by objectName.
// Returns the controls of the table that the window does not have (a window may leave some out).
// `only` limits it to the named controls: a part added to a window after its captions were set.
QStringList ApplyCaptions(QWidget* window, const core::TextTable& strText,
                          const core::CaptionContext& context, const QStringList& only = {});

// The caption that a control shows now (window title, menu title, action, button, frame or label text).
QString CurrentCaption(QWidget* window, const QString& control);

} // namespace airmotor::app
