#pragma once

#include "core/common/MessageSink.h"

#include <QSize>
#include <QString>
#include <QWidget>

#include <set>
#include <string>

class QTextBrowser;

namespace airmotor::app {

// The program's help: HTML pages in the help folder of the program folder, shown in one browser window.
// Topic numbers are those the rest of the program asks for (2: entering a search, 3: the diagram,
// kUsingHelpTopic: the page about this window). Esc hides it; Alt+Left/Right go back and forward.
class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString& programFolder, core::MessageSink& messages, QWidget* parent = nullptr);

    // Pages of this language come from its subfolder (help/de for German); a page it lacks is shown
    // in English, and the notice says so the first time for each language.
    void setLanguage(const std::string& languageName, const std::string& englishPageNotice);
    static QString LanguageFolder(const std::string& languageName);

    void openContents();
    void openTopic(int topicId);
    QString currentPage() const;           // relative to the help folder: "de/search.html"
    static QString topicPage(int topicId); // file name inside the help folder; contents for unknown ids

    static constexpr int kUsingHelpTopic = 9;
    static constexpr QSize kDefaultSize{720, 640};

protected:
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // A page is about to be shown while the window is hidden: the owner places it.
    void opening();

private:
    void openPage(const QString& fileName);

    QString helpFolder;
    QString languageFolder_;
    std::string languageName_, englishPageNotice_;
    std::set<std::string> toldEnglishOnly_;
    core::MessageSink& messages;
    QTextBrowser* browser;
};

} // namespace airmotor::app
