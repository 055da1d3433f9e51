#pragma once

#include "core/common/MessageSink.h"

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace airmotor::app {

// The program's help: HTML pages in the help folder of the program folder, shown in one browser window.
// Topic numbers are those the rest of the program asks for (2: entering a search, 3: the diagram).
class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString& programFolder, core::MessageSink& messages, QWidget* parent = nullptr);

    void openContents();
    void openTopic(int topicId);
    QString currentPage() const;
    static QString topicPage(int topicId); // file name inside the help folder; contents for unknown ids

private:
    void openPage(const QString& fileName);

    QString helpFolder;
    core::MessageSink& messages;
    QTextBrowser* browser;
};

} // namespace airmotor::app
