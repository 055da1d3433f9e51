#pragma once

#include "core/language/CaptionKeys.h"

#include <QStringList>

class QWidget;

namespace airmotor::app {

// Sets the captions of one window from the caption table, matching the window and its controls by objectName.
// Returns the controls of the table that the window does not have (a window may leave some out).
QStringList ApplyCaptions(QWidget* window, const core::TextTable& strText,
                          const core::CaptionContext& context);

// The caption that a control shows now (window title, menu title, action, button, frame or label text).
QString CurrentCaption(QWidget* window, const QString& control);

} // namespace airmotor::app
